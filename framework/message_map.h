#pragma once
// Message maps: each class lists the messages and commands it handles; a lookup
// walks the class's map, then its base class's, up to CCmdTarget. Every entry
// carries a small function that unpacks the message and calls the handler.
#include <windows.h>

#include "framework/ids.h"

class CCmdTarget;

// What a handler call needs: the raw message and, for commands, the id and the
// extra data (a CCmdUI for update handlers, an AFX_NOTIFY for notifications).
struct AfxMsgCall {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT result;
  UINT nID;
  void* pExtra;
};

typedef BOOL (*AFX_MSG_THUNK)(CCmdTarget* pTarget, AfxMsgCall& call);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;           // window message, WM_COMMAND or WM_NOTIFY (or reflected)
  UINT nCode;              // notification code
  UINT nID;                // first control or command id
  UINT nLastID;            // last id of a range
  const UINT* pRegistered; // for registered messages: where the number is stored
  AFX_MSG_THUNK pfn;       // null ends the map
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

#define afx_msg

#define DECLARE_MESSAGE_MAP()                         \
 protected:                                           \
  static const AFX_MSGMAP* GetThisMessageMap();       \
  const AFX_MSGMAP* GetMessageMap() const override;   \
                                                      \
 protected:

#define AFX_BEGIN_MESSAGE_MAP_BODY(theClass, baseClass)    \
  typedef theClass ThisClass;                              \
  typedef baseClass TheBaseClass;                          \
  static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                       \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    AFX_BEGIN_MESSAGE_MAP_BODY(theClass, baseClass)

#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass)             \
  template <typename type_name>                                               \
  const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const {              \
    return GetThisMessageMap();                                               \
  }                                                                           \
  template <typename type_name>                                               \
  const AFX_MSGMAP* theClass<type_name>::GetThisMessageMap() {                \
    AFX_BEGIN_MESSAGE_MAP_BODY(theClass<type_name>, baseClass)

#define END_MESSAGE_MAP()                                                               \
  {0, 0, 0, 0, nullptr, nullptr}};                                                      \
  static_assert(sizeof(ThisClass) > 0 && sizeof(TheBaseClass) > 0, "complete classes"); \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                   \
  }

// The generic entry: `body` runs with `pThis` (the object as ThisClass) and
// `call` (the message); it may set call.result. The thunk returns TRUE (handled).
#define AFX_MSG_ENTRY(msg, code, id, lastId, registered, body)                              \
  {msg, code, id, lastId, registered, [](CCmdTarget* pTarget_, AfxMsgCall& call) -> BOOL {  \
     ThisClass* pThis = static_cast<ThisClass*>(pTarget_);                                   \
     (void)pThis; (void)call;                                                                \
     body;                                                                                   \
     return TRUE;                                                                            \
   }},

#define AFX_WM_ENTRY(msg, body) AFX_MSG_ENTRY(msg, 0, 0, 0, nullptr, body)

// --- Messages with free-form handlers -------------------------------------------
#define ON_MESSAGE(message, memberFxn) \
  AFX_WM_ENTRY(message, call.result = pThis->memberFxn(call.wParam, call.lParam))
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                   \
  AFX_MSG_ENTRY(0xC000, 0, 0, 0, &nMessageVariable,                          \
                call.result = pThis->memberFxn(call.wParam, call.lParam))

// --- Commands --------------------------------------------------------------------
#define ON_COMMAND(id, memberFxn) \
  AFX_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, pThis->memberFxn())
#define ON_COMMAND_EX(id, memberFxn) \
  AFX_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, return pThis->memberFxn(call.nID))
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  AFX_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, nullptr, pThis->memberFxn(call.nID))
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
  AFX_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, nullptr, return pThis->memberFxn(call.nID))
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                   \
  AFX_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, nullptr,            \
                pThis->memberFxn(static_cast<CCmdUI*>(call.pExtra)))
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                     \
  AFX_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, nullptr,        \
                pThis->memberFxn(static_cast<CCmdUI*>(call.pExtra)))

// --- Control notifications ---------------------------------------------------------
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
  AFX_MSG_ENTRY(WM_COMMAND, static_cast<WORD>(wNotifyCode), id, id, nullptr, pThis->memberFxn())
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                          \
  AFX_MSG_ENTRY(WM_COMMAND, static_cast<WORD>(wNotifyCode), id, idLast, nullptr,       \
                pThis->memberFxn(call.nID))
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                              \
  AFX_MSG_ENTRY(WM_NOTIFY, static_cast<WORD>(wNotifyCode), id, id, nullptr, {              \
    AFX_NOTIFY* notify_ = static_cast<AFX_NOTIFY*>(call.pExtra);                           \
    pThis->memberFxn(notify_->pNMHDR, notify_->pResult);                                   \
  })
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                \
  AFX_MSG_ENTRY(WM_NOTIFY, static_cast<WORD>(wNotifyCode), id, idLast, nullptr, {          \
    AFX_NOTIFY* notify_ = static_cast<AFX_NOTIFY*>(call.pExtra);                           \
    pThis->memberFxn(call.nID, notify_->pNMHDR, notify_->pResult);                         \
  })

// --- Reflected notifications (handled by the control itself) -----------------------
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                         \
  AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, static_cast<WORD>(wNotifyCode), 0, 0, nullptr, \
                pThis->memberFxn())
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                      \
  AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, static_cast<WORD>(wNotifyCode), 0, 0, nullptr, \
                return pThis->memberFxn())
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                          \
  AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(wNotifyCode), 0, 0, nullptr, { \
    AFX_NOTIFY* notify_ = static_cast<AFX_NOTIFY*>(call.pExtra);                           \
    pThis->memberFxn(notify_->pNMHDR, notify_->pResult);                                   \
  })
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                       \
  AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(wNotifyCode), 0, 0, nullptr, { \
    AFX_NOTIFY* notify_ = static_cast<AFX_NOTIFY*>(call.pExtra);                           \
    return pThis->memberFxn(notify_->pNMHDR, notify_->pResult);                            \
  })
#define ON_BN_CLICKED_REFLECT(memberFxn) ON_CONTROL_REFLECT(BN_CLICKED, memberFxn)
// The reflected colour message: the handler returns a brush, or null to let the
// parent decide.
#define ON_WM_CTLCOLOR_REFLECT()                                                            \
  AFX_WM_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR,                                               \
               call.result = reinterpret_cast<LRESULT>(pThis->CtlColor(                     \
                   CDC::FromHandle(reinterpret_cast<HDC>(call.wParam)),                     \
                   static_cast<UINT>(call.lParam))))
#define ON_WM_DRAWITEM_REFLECT()                                                            \
  AFX_WM_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM,                                               \
               pThis->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)))
#define ON_WM_MEASUREITEM_REFLECT()                                                         \
  AFX_WM_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM,                                            \
               pThis->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)))

#define ON_WM_HSCROLL_REFLECT()                                                             \
  AFX_WM_ENTRY(WM_REFLECT_BASE + WM_HSCROLL,                                                \
               pThis->HScroll(LOWORD(call.wParam), HIWORD(call.wParam)))
#define ON_WM_VSCROLL_REFLECT()                                                             \
  AFX_WM_ENTRY(WM_REFLECT_BASE + WM_VSCROLL,                                                \
               pThis->VScroll(LOWORD(call.wParam), HIWORD(call.wParam)))
#define ON_WM_PARENTNOTIFY_REFLECT()                                                        \
  AFX_WM_ENTRY(WM_REFLECT_BASE + WM_PARENTNOTIFY,                                           \
               pThis->ParentNotify(static_cast<UINT>(call.wParam), call.lParam))
#define ON_WM_COMPAREITEM_REFLECT()                                                         \
  AFX_WM_ENTRY(WM_REFLECT_BASE + WM_COMPAREITEM,                                            \
               call.result = pThis->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(call.lParam)))
#define ON_WM_DELETEITEM_REFLECT()                                                          \
  AFX_WM_ENTRY(WM_REFLECT_BASE + WM_DELETEITEM,                                             \
               pThis->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(call.lParam)))

// The old combined colour message number, used inside the layer for all
// WM_CTLCOLOR* messages (the control type goes with it).
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

#include "framework/message_crackers.h"
