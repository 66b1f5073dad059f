#include "framework/doc_template.h"

#include "framework/app.h"
#include "framework/create_context.h"
#include "framework/document.h"
#include "framework/frame.h"
#include "framework/view.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {
  m_strDocStrings.LoadString(nIDResource);
}

void CDocTemplate::AddDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* pDoc) { pDoc->m_pDocTemplate = nullptr; }

CDocument* CDocTemplate::CreateNewDocument() {
  if (!m_pDocClass) return nullptr;
  CObject* pObject = m_pDocClass->CreateObject();
  CDocument* pDoc = DYNAMIC_DOWNCAST(CDocument, pObject);
  if (!pDoc) {
    delete pObject;
    return nullptr;
  }
  AddDocument(pDoc);
  return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) {
  CCreateContext context;
  context.m_pCurrentFrame = pOther;
  context.m_pCurrentDoc = pDoc;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  if (!m_pFrameClass) return nullptr;
  CObject* pObject = m_pFrameClass->CreateObject();
  CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pObject);
  if (!pFrame) {
    delete pObject;
    return nullptr;
  }
  // A frame that fails to load deletes itself (PostNcDestroy).
  if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
    return nullptr;
  return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible) {
  pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified() {
  for (POSITION pos = GetFirstDocPosition(); pos;)
    if (!GetNextDoc(pos)->SaveModified()) return FALSE;
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  for (POSITION pos = GetFirstDocPosition(); pos;) {
    CDocument* pDoc = GetNextDoc(pos);
    pDoc->OnCloseDocument();
  }
}

BOOL CDocTemplate::GetDocString(CString& rString, DocStringIndex index) const {
  rString.Empty();
  int start = 0;
  for (int i = 0; i < static_cast<int>(index); ++i) {
    start = m_strDocStrings.Find('\n', start);
    if (start < 0) return FALSE;
    ++start;
  }
  int end = m_strDocStrings.Find('\n', start);
  rString = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
  return !rString.IsEmpty();
}

void CDocTemplate::SetDefaultTitle(CDocument* pDocument) {
  CString title;
  if (!GetDocString(title, docName) || title.IsEmpty()) title = "Untitled";
  pDocument->SetTitle(title);
}

namespace {
// Undoes a document and frame made for a request that then failed.
void discardNew(CFrameWnd* pFrame, CDocument* pDoc) {
  pDoc->m_bAutoDelete = FALSE;
  pFrame->DestroyWindow();
  delete pDoc;
}
}  // namespace

// --- CSingleDocTemplate -------------------------------------------------------------

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass,
                                       CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() {
  if (m_pOnlyDoc) {
    CDocument* pDoc = m_pOnlyDoc;
    m_pOnlyDoc = nullptr;
    pDoc->m_pDocTemplate = nullptr;
    pDoc->OnCloseDocument();
  }
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc) {
  CDocTemplate::AddDocument(pDoc);
  m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc) {
  CDocTemplate::RemoveDocument(pDoc);
  if (m_pOnlyDoc == pDoc) m_pOnlyDoc = nullptr;
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
  return m_pOnlyDoc ? reinterpret_cast<POSITION>(m_pOnlyDoc) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const {
  CDocument* pDoc = reinterpret_cast<CDocument*>(rPos);
  rPos = nullptr;
  return pDoc;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCSTR lpszPathName, BOOL bMakeVisible) {
  CDocument* pDoc = m_pOnlyDoc;
  CFrameWnd* pFrame = nullptr;
  BOOL bCreated = FALSE;
  if (pDoc) {
    // The one document is reused: it must be allowed to go first.
    if (!pDoc->SaveModified()) return nullptr;
    POSITION pos = pDoc->GetFirstViewPosition();
    if (pos) pFrame = pDoc->GetNextView(pos)->GetParentFrame();
  } else {
    pDoc = CreateNewDocument();
    if (!pDoc) return nullptr;
    bCreated = TRUE;
  }
  BOOL bAutoDelete = pDoc->m_bAutoDelete;
  if (!pFrame) {
    pDoc->m_bAutoDelete = FALSE;  // a failed frame must not take the document along
    pFrame = CreateNewFrame(pDoc, nullptr);
    pDoc->m_bAutoDelete = bAutoDelete;
    if (!pFrame) {
      if (bCreated) delete pDoc;
      return nullptr;
    }
  }
  if (!lpszPathName) {
    SetDefaultTitle(pDoc);
    if (!pDoc->OnNewDocument()) {
      if (bCreated) discardNew(pFrame, pDoc);
      return nullptr;
    }
  } else {
    if (!pDoc->OnOpenDocument(lpszPathName)) {
      if (bCreated) discardNew(pFrame, pDoc);
      return nullptr;
    }
    pDoc->SetPathName(lpszPathName);
  }
  CWinApp* pApp = AfxGetApp();
  if (bCreated && pApp && !pApp->m_pMainWnd) pApp->m_pMainWnd = pFrame;
  InitialUpdateFrame(pFrame, pDoc, bMakeVisible);
  return pDoc;
}
