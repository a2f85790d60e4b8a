#include "quotations/Tovrek_Unit4.h"

#include "main/contact.h"
#include "main/program.h"
#include "quotations/about_texts.h"

namespace tovrek {

TForm4::TForm4(Program& program) : TForm4Design(program.App), P(program) {
  LoadDesign();
  Memo1->SetLines(kIntroduction);
  Memo2->SetLines(kSourceListing);
  Label5->SetCaption(kAuthorMailAddress);
  Label6->SetCaption(kWebHost);
}

void TForm4::BtnCloseClick() { Close(); }

void TForm4::BtnCloseKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) Close();
}

void TForm4::BtnVersionKeyDown(uint16_t& key, tk::ShiftState) {
  if (key == tk::vk::Escape) Close();
}

// The memos take no focus of their own, so Esc keeps reaching "&Ok".
void TForm4::Memo1Click() { BtnClose->SetFocus(); }
void TForm4::Memo2Click() { BtnClose->SetFocus(); }

void TForm4::BtnVersionClick() {
  Memo1->ClearLines();
  if (LblAbout->Caption() == "ABOUT TOVREK") {
    Memo1->SetVisible(false);
    Memo1->SetFontSize(8);
    Memo1->SetScrollBars(tk::ScrollBars::Vertical);
    for (const std::string& line : kVersionHistory) Memo1->AddLine(line);
    // Brings the view back to the first line.
    Memo1->InsertLine(0, "");
    Memo1->DeleteLine(0);
    LblAbout->SetCaption("VERSION HISTORY");
    BtnVersion->SetCaption("&About");
    Memo1->SetVisible(true);
  } else {
    Memo1->SetFontSize(10);
    Memo1->SetScrollBars(tk::ScrollBars::None);
    for (const std::string& line : kIntroduction) Memo1->AddLine(line);
    Memo1->InsertLine(0, "");
    Memo1->DeleteLine(0);
    LblAbout->SetCaption("ABOUT TOVREK");
    BtnVersion->SetCaption("&History");
  }
}

void TForm4::OpenLink(tk::Label& link, const std::string& target) {
  // Used once, the link stays purple for the rest of the run.
  link.SetFontColor(tk::clPurple);
  P.Form1->FileRun1->FileName = target;
  P.Form1->FileRun1->Execute();
}

void TForm4::Label5Click() { OpenLink(*Label5, std::string("mailto: ") + kAuthorMailAddress); }
void TForm4::Label6Click() { OpenLink(*Label6, std::string("http://") + kWebHost); }

// The window's cursor, not the label's: the labels show the window's.
void TForm4::PointerOverLink(bool over) { SetCursor(over ? tk::Cursor::HandPoint : tk::Cursor::Default); }

}  // namespace tovrek
