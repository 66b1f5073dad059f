#pragma once
// CSplitterWnd: a static grid of panes (views or other windows) separated by
// dividers. Rows and columns have an ideal and a minimum size; the last row and
// column take what is left.
#include <vector>

#include "framework/create_context.h"
#include "framework/wnd.h"

class CSplitterWnd : public CWnd {
  DECLARE_DYNAMIC(CSplitterWnd)
 public:
  CSplitterWnd();

  BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                    UINT nID = AFX_IDW_PANE_FIRST);
  virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                          CCreateContext* pContext);
  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  CWnd* GetPane(int row, int col) const;
  int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
  BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);

  void GetRowInfo(int row, int& cyCur, int& cyMin) const;
  void SetRowInfo(int row, int cyIdeal, int cyMin);
  void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
  void SetColumnInfo(int col, int cxIdeal, int cxMin);
  virtual void RecalcLayout();

  virtual void SetActivePane(int row, int col, CWnd* pWnd = nullptr);
  // Moves to the next (or previous) pane, wrapping around.
  virtual void ActivateNext(BOOL bPrev = FALSE);
  virtual CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr);

  // Divider and border sizes in pixels.
  int m_cxSplitter = 7, m_cySplitter = 7;
  int m_cxSplitterGap = 7, m_cySplitterGap = 7;
  int m_cxBorder = 0, m_cyBorder = 0;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();

 protected:
  struct CRowColInfo {
    int nMinSize = 0;
    int nIdealSize = 0;
    int nCurSize = 0;
  };
  // Gives each row or column its size along one axis.
  static void LayoutAxis(std::vector<CRowColInfo>& info, int nTotal, int nGap);

  int m_nRows = 0, m_nCols = 0;
  std::vector<CRowColInfo> m_rows, m_cols;
  DECLARE_MESSAGE_MAP()
};
