#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>
#include <vector>

#include "app/resource.h"
#include "framework/framework.h"

namespace {
// Every command of the main menu, by id, with its text.
void CollectItems(HMENU menu, std::map<UINT, CString>& items) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (HMENU sub = ::GetSubMenu(menu, i)) {
      CollectItems(sub, items);
      continue;
    }
    const UINT id = ::GetMenuItemID(menu, i);
    if (id == 0) continue;  // separator
    char text[128] = "";
    ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    items[id] = text;
  }
}

CString Prompt(UINT id) {
  CString prompt;
  prompt.LoadString(id);
  return prompt;
}
}  // namespace

TEST(MainMenu, HoldsEveryAlbumEditingAndViewCommand) {
  HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  ASSERT_NE(menu, nullptr);
  std::map<UINT, CString> items;
  CollectItems(menu, items);
  ::DestroyMenu(menu);
  const UINT expected[] = {
      32874, 32875, 32876, 32889, 33065, 33092, 33052, 32877, 32871, 33066, 33076, 33083, 32954,  // album
      32958, 32959, 32960, 32961, 33054, 33055, 33056, 33057, 33058, 33059, 33060, 33090,         // pages
      32955, 32956, 57643, 57644, 57635, 57634, 57637, 33062,                                     // selection
      32923, 32919, 32920, 32921, 32922, 32925, 32928, 32929, 33077, 32886, 32888, 32953,         // view
      32894, 32896, 32984, 32985, 32986, 32987, 32901, 32903, 32902, 32904, 32905, 33063, 33064,  // arrangement
      33028, 33030, 33031, 33032, 33033, 33034, 33036, 33037, 33038, 33039, 33078, 33067, 33068,  // alignment
      33069, 33086, 33087, 33070,                                                                 // size
      32932, 32933, 32997, 32938, 32939, 32940, 32946, 33000, 33001, 33002, 33012, 32951, 32950,  // text...
      33080, 57664, 57665};
  for (UINT id : expected) EXPECT_EQ(items.count(id), 1u) << id;
  EXPECT_EQ(items.size(), sizeof expected / sizeof expected[0]);
  // Every item whose text the system fixes, exactly as it is written there.
  const std::map<UINT, const char*> texts = {
      {33065, "Salva come template"}, {33092, "Salva come template"}, {33052, "Dati"},
      {33066, "Invia al laboratorio"}, {33083, "Modifica immagine"}, {32954, "Stam&pa"},
      {32958, "Prima"}, {32959, "Precedente"}, {32960, "Successiva"}, {32961, "Ultima"}, {33054, "Nuova"},
      {33055, "Taglia"}, {33056, "Copia"}, {33057, "Incolla"}, {33058, "Elimina"}, {33059, "Sposta prima"},
      {33060, "Sposta dopo"}, {33090, "Copertina"}, {32955, "Seleziona tutto"}, {32956, "Annulla selezione"},
      {57643, "&Annulla\tCtrl+Z"}, {57644, "Ripristina"}, {57635, "&Taglia\tCtrl+X"}, {57634, "&Copia\tCtrl+C"},
      {57637, "&Incolla\tCtrl+V"}, {33062, "Elimina\tCANC"}, {32923, "Centra"}, {32919, "Sinistra"},
      {32920, "Sopra"}, {32921, "Destra"}, {32922, "Sotto"}, {32925, "Normale"}, {32928, "Avanti"},
      {32929, "Indietro"}, {33077, "Righello"}, {32894, "Unisci"}, {32896, "Dividi"},
      {32984, "Porta in primo piano"}, {32985, "Sposta in fondo"}, {32986, "Porta avanti"},
      {32987, "Sposta indietro"}, {32901, "Nessuna"}, {32903, "10\xb0"}, {32902, "45\xb0"}, {32904, "90\xb0"},
      {32905, "180\xb0"}, {33063, "Blocca"}, {33064, "Sblocca"}, {33028, "Sinistra"}, {33030, "Destra"},
      {33031, "Sopra"}, {33032, "Sotto"}, {33033, "Allinea in verticale"}, {33034, "Allinea in orizzontale"},
      {33036, "Centra verticalmente"}, {33037, "Centra orizzontalmente"}, {33038, "A sinistra del centro"},
      {33039, "A destra del centro"}, {33078, "Ritaglio"}, {33067, "Altezza"}, {33068, "Larghezza"},
      {33069, "Entrambe"}, {33086, "Mezza pagina"}, {33087, "Pagina"}, {33070, "Ripristina aspect ratio"},
      {32932, "Aggiungi"}, {32933, "Modifica"}, {32997, "Colore"}, {32938, "Elimina"}, {32939, "Colore"},
      {32940, "Ruota"}, {32946, "Elimina"}, {33000, "Nessuna rotazione"}, {33001, "Ruota di 90\xb0"},
      {33002, "Ruota di 180\xb0"}, {33012, "Rutoa di 270\xb0"}, {32951, "Specchio orizzontale"},
      {32950, "Specchio verticale"}, {33080, "Crea ritaglio"}};
  for (const auto& t : texts) EXPECT_STREQ(items[t.first], t.second) << t.first;
}

TEST(MainMenu, AcceleratorsCopyCutPasteUndoDeleteAndPanes) {
  HACCEL table = ::LoadAcceleratorsA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  ASSERT_NE(table, nullptr);
  std::vector<ACCEL> keys(static_cast<size_t>(::CopyAcceleratorTableA(table, nullptr, 0)));
  ::CopyAcceleratorTableA(table, keys.data(), static_cast<int>(keys.size()));
  ::DestroyAcceleratorTable(table);
  std::set<std::tuple<int, int, int>> got;
  for (const ACCEL& a : keys) got.insert({a.fVirt & (FCONTROL | FSHIFT | FALT), a.key, a.cmd});
  const std::set<std::tuple<int, int, int>> expected = {
      {FCONTROL, 'C', 57634},    {FCONTROL, VK_INSERT, 57634}, {FCONTROL, 'X', 57635},
      {FSHIFT, VK_DELETE, 57635}, {FCONTROL, 'V', 57637},       {FSHIFT, VK_INSERT, 57637},
      {FCONTROL, 'Z', 57643},    {FALT, VK_BACK, 57643},       {0, VK_DELETE, 33062},
      {0, VK_F6, 57680},         {FSHIFT, VK_F6, 57681}};
  EXPECT_EQ(got, expected);
}

TEST(MainMenu, StatusPrompts) {
  const std::map<UINT, const char*> prompts = {
      {32874, "Crea un nuovo sposalbo\nNuovo"},
      {32877, "Carica le immagini del CD proveniente dal laboratorio\nCarica CD"},
      {33066, "Prepara il materiale per l'invio al laboratorio."},
      {32960, "Vai alla pagina successiva\nSuccessiva"},
      {33018, "Modalit\xe0 che ti consente di spostare la pagina con il mouse\nModalit\xe0 PAN"},
      {33087, "Dimensiona gli oggetti selezioati grandi come tutta la pagina"},
      {32951, "Specchia orizzontalmente l'effetto\nSepcchio orizzontale"}};
  for (const auto& p : prompts) EXPECT_STREQ(Prompt(p.first), p.second) << p.first;
  EXPECT_TRUE(Prompt(33054).IsEmpty());  // "Nuova" has none
}
