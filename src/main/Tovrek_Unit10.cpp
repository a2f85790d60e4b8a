#include "main/Tovrek_Unit10.h"

#include "knowledge/run_order.h"
#include "main/program.h"
#include "toolkit/application.h"

namespace tovrek {

TForm10::TForm10(Program& program) : TForm10Design(program.App), P(program) {
  LoadDesign();
}

void TForm10::SetTexts(const char* description, const char* action) {
  LblDescription->SetCaption(description);
  LblSeverity->SetCaption(action);
}

void TForm10::FormActivate() {
  Unit1State& u = P.Unit1;
  TForm1& f = *P.Form1;

  if (u.Flags.UnsupportedOS == 1 || u.Flags.DefaultPictureMissing == 1) {
    ListBox->SetVisible(false);
    // The main window's dead state: nothing can be started any more.
    for (tk::DropDownList* list : {f.CbxSubject, f.CbxTopic, f.CbxSequence, f.CbxMode}) {
      list->ClearItems();
      list->SetColor(tk::clRed);
    }
    f.LblTopic->SetCaption("TOPIC");
    for (tk::Control* c : std::initializer_list<tk::Control*>{
             f.BtnClose, f.BtnSetup, f.BtnAbout, f.BtnEdit, f.BtnRefresh, f.BtnClock, f.BtnBrowser, f.CbxSubject,
             f.CbxTopic, f.CbxMode, f.CbxSequence, f.CheckBox1, f.BtnStartStop, f.Label6, f.Label3, f.Label4,
             f.LblTopic})
      c->SetEnabled(false);
    f.PnlAnswer->SetFontColor(tk::clGray);
    f.PnlQuestion->SetFontColor(tk::clGray);
    if (u.Flags.DefaultPictureMissing == 1)
      SetTexts("The default picture file DEFAULT.JPG is missing.", "Copy DEFAULT.JPG to the same folder as TOVREK.EXE.");
    else
      SetTexts("Only Windows 98 / 2000 / XP / Vista / 7 are currently supported.",
               "Please check your Operating System / platform.");
    return;
  }

  if (u.Flags.TooFewQuestions == 1) {
    f.BtnStartStop->SetEnabled(false);
    f.CbxMode->SetEnabled(false);
    f.CbxSequence->SetEnabled(false);
    f.CheckBox1->SetEnabled(false);
    f.CheckBox1->SetChecked(false);
    f.PnlTimer->SetColor(tk::clBtnFace);
    f.BtnClock->SetEnabled(false);
    f.LblTopic->SetCaption("TOPIC");
    if (f.CbxSubject->ItemCount() == 0) {
      ListBox->SetVisible(false);
      SetTexts("No sub-folders were found in the Subjects folder.", "Use the Editor to create Subjects and Topics.");
      f.CbxSubject->SetEnabled(false);
      f.CbxTopic->SetEnabled(false);
      f.CbxSubject->SetColor(tk::clYellow);
      f.CbxTopic->SetColor(tk::clYellow);
      if (u.SchoolVersion == 0) {
        f.BtnEdit->SetEnabled(true);
        f.BtnEdit->SetFocus();
      }
    } else if (u.Flags.NoTopics == 1) {
      ListBox->SetVisible(false);
      SetTexts("No Topics have been created for this Subject.",
               "Use the Editor to create a new Topic, or select another Subject.");
      f.CbxTopic->SetEnabled(false);
      f.CbxTopic->SetColor(tk::clYellow);
      if (f.CbxSubject->Enabled()) f.CbxSubject->SetFocus();
    } else {
      ListBox->SetVisible(false);
      SetTexts("This Topic has less than 2 questions (must be 2 or more).",
               "Use Editor to add more questions, or select another Subject / Topic.");
      f.CbxTopic->SetEnabled(true);
      f.CbxTopic->SetColor(tk::clYellow);
    }
  } else if (u.Flags.TopicCorrupt == 1) {
    ListBox->SetVisible(false);
    SetTexts("Corrupt or invalid Topic file. This Topic cannot be loaded.",
             "Use Notepad to fix the Topic file, or select another Subject / Topic.");
    f.CbxTopic->SetEnabled(true);
    f.CbxTopic->SetColor(tk::clYellow);
    f.BtnStartStop->SetEnabled(false);
    f.CbxMode->SetEnabled(false);
    f.CbxSequence->SetEnabled(false);
    f.CheckBox1->SetChecked(false);
    f.CheckBox1->SetEnabled(false);
    f.PnlTimer->SetColor(tk::clBtnFace);
    f.BtnClock->SetEnabled(false);
  }

  if (u.Flags.MediaFilesOk == 0) {
    ListBox->SetVisible(true);
    SetTexts("Media files not found / invalid  ---->", "Copy these files to \\Mediafiles sub-folder.");
    f.CbxTopic->SetColor(tk::clYellow);
    u.Flags.MediaFilesOk = 1;
  }

  if (u.Flags.EditorMissing == 1) {
    ListBox->SetVisible(false);
    SetTexts("The executable file < Edit.exe > cannot be found.", "Copy Edit.exe to the same folder as Tovrek.exe.");
    u.Flags.EditorMissing = 0;
  }

  BtnOk->SetFocus();
}

void TForm10::ClearProblemFlags() { knowledge::ClearProblemFlags(P.Unit1.Flags); }

void TForm10::AcknowledgeProblem() {
  if (P.Unit1.Flags.DefaultPictureMissing == 1 || P.Unit1.Flags.UnsupportedOS == 1) App().Terminate();
  else ClearProblemFlags();
}

void TForm10::BtnOkClick() {
  AcknowledgeProblem();
  // The advance timer belongs to a run: a Start that loaded too few
  // questions leaves the window idle, and a timer there would tick on.
  TForm1& f = *P.Form1;
  if (P.Unit1.AutoAdvanceOn && knowledge::RunPhaseOf(f.BtnStartStop->Caption()) == knowledge::RunPhase::Running)
    f.Timer->SetEnabled(true);
  Close();
}

void TForm10::EscapeKeyDown(uint16_t& key, tk::ShiftState) {
  if (key != tk::vk::Escape) return;
  AcknowledgeProblem();
  Close();
}

// Every way out ends in the Ok action.
void TForm10::FormClose() { BtnOk->Click(); }

}  // namespace tovrek
