#pragma once
// Answers the album services' message boxes in place of a person and records what
// was asked. Install one per test; it puts the previous hook back when it ends.
#include <string>
#include <vector>

#include "document/DocumentMessageBox.h"

struct AskedBox {
  std::string text;
  std::string title;
  UINT type;
};

class MessageBoxAnswers {
 public:
  explicit MessageBoxAnswers(int answer = IDOK) {
    Current() = this;
    m_answer = answer;
    m_previous = SetDocumentMessageBoxHook(&MessageBoxAnswers::Answer);
  }
  ~MessageBoxAnswers() {
    SetDocumentMessageBoxHook(m_previous);
    Current() = nullptr;
  }
  MessageBoxAnswers(const MessageBoxAnswers&) = delete;
  MessageBoxAnswers& operator=(const MessageBoxAnswers&) = delete;

  void SetAnswer(int answer) { m_answer = answer; }
  const std::vector<AskedBox>& Asked() const { return m_asked; }

 private:
  static MessageBoxAnswers*& Current() {
    static MessageBoxAnswers* current = nullptr;
    return current;
  }
  static int Answer(const char* text, const char* title, UINT type) {
    MessageBoxAnswers* self = Current();
    self->m_asked.push_back({text ? text : "", title ? title : "", type});
    return self->m_answer;
  }

  int m_answer;
  DocumentMessageBoxHook m_previous;
  std::vector<AskedBox> m_asked;
};
