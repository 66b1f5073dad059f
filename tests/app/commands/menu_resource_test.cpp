#include <gtest/gtest.h>

#include <cctype>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/resource.h"
#include "framework/framework.h"
#include "ui/menus/menu/SkinMenu.h"

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

// The items of a menu and its sub-menus as one line of text.
std::string Outline(HMENU menu) {
  std::string line;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    char text[128] = "";
    ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    if (i > 0) line += '|';
    if (HMENU sub = ::GetSubMenu(menu, i))
      line += std::string(text) + '{' + Outline(sub) + '}';
    else if (UINT id = ::GetMenuItemID(menu, i))
      line += std::to_string(id) + ' ' + text;
    else
      line += '-';
  }
  return line;
}

// The lower-cased letter after the first single "&" of a menu text, or 0.
char Letter(const CString& text) {
  for (int i = 0; i + 1 < text.GetLength(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    ++i;
  }
  return 0;
}

// Checks the letters of a themed menu and its sub-menus: none twice in one
// menu, and each found at its item by the themed menu's own lookup, typed in
// either case. Collects the ids (sub-menus: their titles) that have one.
void CheckLetters(HMENU hMenu, const std::string& path, std::set<std::string>& lettered) {
  std::map<char, std::string> taken;
  for (int pos = 0; pos < ::GetMenuItemCount(hMenu); ++pos) {
    char text[128] = "";
    ::GetMenuStringA(hMenu, static_cast<UINT>(pos), text, sizeof text, MF_BYPOSITION);
    HMENU sub = ::GetSubMenu(hMenu, pos);
    const std::string name = sub ? text : std::to_string(::GetMenuItemID(hMenu, pos));
    if (sub) CheckLetters(sub, path + " > " + text, lettered);
    const char letter = Letter(text);
    if (!letter) continue;
    lettered.insert(name);
    EXPECT_EQ(taken.count(letter), 0u) << path << ": '" << letter << "' of " << text << " and of " << taken[letter];
    taken[letter] = text;
    for (char typed : {letter, static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))})
      EXPECT_EQ(CSkinMenu::OnMenuChar(static_cast<UCHAR>(typed), MF_POPUP, CMenu::FromHandle(hMenu)),
                MAKELRESULT(pos, MNC_EXECUTE))
          << path << ": " << text << " by '" << typed << "'";
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

// Every title of the menu bar has a letter of its own, and so has every item
// whose text is the program's own (the others read as the system writes
// them); in the main menu and the page's menu no letter serves two items of
// one menu, and the themed menus' lookup finds each.
TEST(MainMenu, EveryLetterIsOneItemsAndReachesIt) {
  const std::set<std::string> programsOwn = {
      "&File", "&Modifica", "&Visualizza", "&Pagine", "&Strumenti", "&Testo", "Sf&ondo", "&Effetto", "&?",
      "P&AN", "&Zoom", "&Gruppi", "&Ordinamento", "&Rotazione", "&Allineamento", "&Pagina", "&Dimensioni",
      "32874", "32875", "32876", "32889", "32877", "32871", "57665", "33076", "32888", "32886", "32953",
      "57664", "32954", "57643", "57635", "57634", "57637"};
  CSkinMenu main;
  ASSERT_TRUE(main.LoadMenu(IDR_MAINFRAME));
  std::set<std::string> lettered;
  CheckLetters(main.m_hMenu, "menu bar", lettered);
  EXPECT_EQ(lettered, programsOwn);
  CSkinMenu page;
  ASSERT_TRUE(page.LoadMenu(IDR_PAGE_CONTEXT_MENU));
  lettered.clear();
  CheckLetters(page.m_hMenu, "page menu", lettered);
  EXPECT_EQ(lettered, (std::set<std::string>{"57643", "57635", "57634", "57637"}));
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

TEST(MainMenu, StatusPromptsAndToolTips) {
  const std::map<UINT, const char*> prompts = {
      {32874, "Crea un nuovo sposalbo\nNuovo"}, {32875, "Apri un sposalbo\nApri"},
      {32876, "Chiudi il sposalbo\nChiudi"}, {32889, "Salva il sposalbo\nSalva"},
      {32877, "Carica le immagini del CD proveniente dal laboratorio\nCarica CD"},
      {32871, "Carica immagini nella lista\nCarica immagini"},
      {33066, "Prepara il materiale per l'invio al laboratorio."}, {32954, "Stam&pa"},
      {32958, "Vai alla prima pagina\nPrima"}, {32959, "Vai alla pagina precedente\nPrecedente"},
      {32960, "Vai alla pagina successiva\nSuccessiva"}, {32961, "Vai all'ultima pagina\nUltima"},
      {33090, "Abilita/disabilita pagina corrente come copertina"},
      {32955, "Seleziona tutti gli oggetti della pagina\nSeleziona tutto"},
      {32956, "Annulla la seleziona corrente\nAnnulla selezione"}, {57643, "Annulla l'ultima modifica\nAnnulla"},
      {57644, "Ripristina l'ultima modifica annullata\nRipristina"},
      {57635, "Elimina gli oggetti selezionati\nTaglia"}, {57634, "Copia gli oggetti selezionati\nCopia"},
      {57637, "Incolla il contenuto degli appunti\nIncolla"}, {33062, "Elimina gli oggetti selezionati"},
      {32923, "Centra la pagina sullo schermo\nCentra"}, {32919, "Sposta la pagina a sinistra\nSinistra"},
      {32920, "Sposta la pagina verso l'alto\nSopra"}, {32921, "Sposta la pagina verso destra\nDestra"},
      {32922, "Sposta la pagina verso il basso\nSotto"}, {32925, "Visualizzazione normale\nNormale"},
      {32928, "Zoom avanti\nAvanti"}, {32929, "Zoom indietro\nIndietro"},
      {33017, "Modalit\xe0 selezione oggetti\nSeleziona oggetti"},
      {33018, "Modalit\xe0 che ti consente di spostare la pagina con il mouse\nModalit\xe0 PAN"},
      {33019, "Modalit\xe0 che ti consente di fare lo zoom della pagina\nModalit\xe0 zoom"},
      {33077, "Visualizza/Nascondi righello"}, {32894, "Crea un gruppo con gli oggetti selezionati"},
      {32896, "Separa gli oggetti del gruppo selezionato"},
      {32984, "Porta gli oggetti selezionati in primo piano\nPorta in primo piano"},
      {32985, "Sposta gli oggetti selezionati in fondo\nSposta in fondo"},
      {32986, "Sposta gli oggetti selezionati in avanti\nSposta in avanti"},
      {32987, "Sposta gli oggetti selezionati indietro\nSposta indietro"},
      {32901, "Elimina la rotazione degli oggetti selezionati\nNessuna rotazione"},
      {32903, "Ruota gli oggetti selezionati di 10 gradi\nRuota di 10 gradi"},
      {32904, "Ruota gli oggetti selezionati di 90 gradi\nRuota di 90 gradi"},
      {33078, "Allinea un ritaglio ad una immagine"}, {33067, "Imposta la stessa altezza"},
      {33069, "Imposta le stesse dimensioni"},
      {33086, "Dimensione gli oggetti selezionati grandi come mezza pagina"},
      {33087, "Dimensiona gli oggetti selezioati grandi come tutta la pagina"},
      {33070, "Ripristina aspect ratio originale"}, {32932, "Inserisci un testo"},
      {32933, "Modifica il testo selezionato"}, {32997, "Imposta il colore degli oggetti selezionati\nColore"},
      {32938, "Elimina lo sfondo della pagina\nElimina sfondo pagina"},
      {32939, "Imposta il colore dello sfondo della pagina\nColore sfondo pagina"},
      {32940, "Ruota l'immagine di sfondo\nRuota sfondo"}, {32946, "Elimina effetto\nElimina effetto"},
      {33000, "Effetto senza rotazione\nNessuna rotazione"},
      {33001, "Ruota l'effetto di 90 gradi\nRuota effetto di 90 gradi"},
      {33002, "Ruota l'effetto di 180 gradi\nRuota effetto di 180 gradi"},
      {33012, "Ruota l'effetto di 270 gradi\nRuota effetto di 270 gradi"},
      {32951, "Specchia orizzontalmente l'effetto\nSepcchio orizzontale"},
      {32950, "Specchia verticalmente l'effetto\nSpecchio verticale"},
      {33080, "Crea un ritaglio dell'immagine selezionata"}};
  for (const auto& p : prompts) EXPECT_STREQ(Prompt(p.first), p.second) << p.first;
  // These items have no prompt and no tool tip.
  for (UINT id : {33054, 33055, 33056, 33057, 33058, 33059, 33060, 32902, 32905, 33063, 33064, 33028, 33030, 33031,
                  33032, 33033, 33034, 33036, 33037, 33038, 33039, 33068, 33065, 33092, 33052, 33076, 33083})
    EXPECT_TRUE(Prompt(id).IsEmpty()) << id;
}

// The page's right-button menu item by item: "id text", "-" for a separator,
// "name{...}" for a sub-menu.
TEST(PageContextMenu, ItemsInOrder) {
  HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_PAGE_CONTEXT_MENU));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(::GetMenuItemCount(menu), 1);
  EXPECT_EQ(Outline(menu),
            "CtxMenu{32955 Seleziona tutto|32956 Annulla selezione|-|57643 &Annulla\tCtrl+Z|57644 Ripristina|-|"
            "57635 &Taglia\tCtrl+X|57634 &Copia\tCtrl+C|57637 &Incolla\tCtrl+V|57632 Elimina\tCANC|-|"
            "Gruppi{32894 Unisci|32896 Dividi}|"
            "Ordinamento{32984 Porta in primo piano|32985 Sposta in fondo|32986 Porta avanti|32987 Sposta indietro}|"
            "Allineamento{33028 Sinistra|33030 Destra|33031 Sopra|33032 Sotto|33033 Allinea in verticale|"
            "33034 Allinea in orizzontale}|"
            "Pagina{33036 Centra verticalmente|33037 Centra orizzontalmente|33038 A sinistra del centro|"
            "33039 A destra del centro|33078 Ritaglio}|"
            "Rotazione{32901 Nessuna|-|32903 10\xb0|32902 45\xb0|32904 90\xb0|32905 180\xb0}|"
            "Dimensioni{33067 Altezza|33068 Larghezza|33069 Entrambe|-|33086 Mezza pagina|33087 Pagina|-|"
            "33070 Ripristina aspect ratio}|"
            "Testo{32932 Aggiungi|32933 Modifica|-|32997 Colori}|"
            "Effetto{32946 Elimina|-|33000 Nessuna rotazione|33001 Ruota di 90\xb0|33002 Ruota di 180\xb0|"
            "33012 Ruota di 270\xb0|-|32951 Specchio orizzontale|32950 Specchio verticale}|"
            "33080 Crea ritaglio|33083 Modifica immagine|-|"
            "Pagina{32958 Prima|32959 Precedente|32960 Successiva|32961 Ultima|-}|"
            "Sfondo{32938 Elimina|32939 Colore|32940 Ruota}|"
            "PAN{32923 Centra|-|32919 Sinistra|32920 Sopra|32921 Destra|32922 Sotto}|"
            "Zoom{32925 Normale|-|32928 Avanti|32929 Indietro}|-|32889 Salva}");
  ::DestroyMenu(menu);
}
