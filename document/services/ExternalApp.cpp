#include "document/services/ExternalApp.h"

#include <windows.h>

#include <vector>

#include "document/services/DocumentMessageBox.h"
#include "document/services/SystemMessage.h"
#include "document/services/Win32Handle.h"
#include "framework/app.h"

CString BuildExtAppCmdLine(const char* text) {
  CString cmdLine(text ? text : "");
  cmdLine.Trim();
  if (cmdLine.IsEmpty()) return cmdLine;
  if (cmdLine.Find("%1") >= 0)
    cmdLine.Replace("%1", "%s");
  else
    cmdLine += " \"%s\"";
  return cmdLine;
}

CString GetExtAppCmdLine() {
  CWinApp* app = AfxGetApp();
  return BuildExtAppCmdLine(app ? app->GetProfileString("Program Settings", "ExtAppCmdLine", "")
                                : CString());
}

bool HasExtAppCmdLine(const char* cmdLine) { return cmdLine && *cmdLine; }

CString FormatExtAppCmdLine(const char* cmdLine, const char* filePath) {
  CString result(cmdLine ? cmdLine : "");
  result.Replace("%s", filePath ? filePath : "");
  return result;
}

bool RunExternalApp(const char* cmdLine, const char* filePath) {
  CString command = FormatExtAppCmdLine(cmdLine, filePath);
  // CreateProcessA may write into the command line.
  std::vector<char> buffer(command.GetString(), command.GetString() + command.GetLength() + 1);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  // Minimised and not active: the keyboard stays with the page, where the
  // user goes on working until they open the editor.
  startup.wShowWindow = SW_SHOWMINNOACTIVE;
  PROCESS_INFORMATION process = {};
  if (::CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
    CScopedHandle processHandle(process.hProcess);
    CScopedHandle threadHandle(process.hThread);
    return true;
  }
  // The command names the program; the first line is wider than the title,
  // so the box shows that whole.
  const CString reason = SystemMessage(::GetLastError());
  CString text;
  text.Format("Impossibile avviare il programma esterno per la modifica delle immagini.\nComando: %s\n%s",
              command.GetString(), reason.GetString());
  DocumentMessageBox(text, "Errore avvio programma esterno.", MB_OK | MB_ICONERROR);
  return false;
}
