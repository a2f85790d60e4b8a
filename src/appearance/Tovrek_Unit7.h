// The customisation window: the learner restyles a mock-up of the main
// window, applies it, stores it, and manages the pictures folder.
#pragma once

#include <cstdint>
#include <string>

#include "designs/Tovrek_Unit7_design.h"
#include "knowledge/settings_file.h"

namespace tovrek {

struct Program;

class TForm7 : public TForm7Design<TForm7> {
 public:
  explicit TForm7(Program& program);
  Program& P;

  void FormCreate();
  void FormActivate();
  void FormKeyDown(uint16_t& key, tk::ShiftState shift);
  void ShowMediaSample();

  // The lists' change handlers restyle the mock-up only.
  void CbxFormBackgroundChange();
  void CbxOptionPanelChange();
  void CbxOptionsFontChange();
  void CbxTextBoxFontSizeChange();
  void CbxTextBoxColourChange();
  void CbxTextBoxFontChange();
  void CbxTovrekFontChange();
  void CbxTovrekPanelsChange();
  void CbxPictureBorderChange();
  void CbxQuestionSizeChange();
  void CbxQuestionFontChange();
  void CbxQuestionBoxChange();
  void CbxAnswerSizeChange();
  void CbxAnswerFontChange();
  void CbxAnswerBoxChange();
  void CbxStatisticsFontChange();
  void CbxPictureDefaultChange();
  void CbxPictureAspectChange();

  // Backspace would clear a pick-only list's text on the old desktop.
  void ListKeyPress(char& key);
  void CbxFormBackgroundKeyPress(char& key) { ListKeyPress(key); }
  void CbxOptionPanelKeyPress(char& key) { ListKeyPress(key); }
  void CbxOptionsFontKeyPress(char& key) { ListKeyPress(key); }
  void CbxTextBoxFontSizeKeyPress(char& key) { ListKeyPress(key); }
  void CbxTextBoxColourKeyPress(char& key) { ListKeyPress(key); }
  void CbxTextBoxFontKeyPress(char& key) { ListKeyPress(key); }
  void CbxTovrekFontKeyPress(char& key) { ListKeyPress(key); }
  void CbxTovrekPanelsKeyPress(char& key) { ListKeyPress(key); }
  void CbxPictureDefaultKeyPress(char& key) { ListKeyPress(key); }
  void CbxPictureAspectKeyPress(char& key) { ListKeyPress(key); }
  void CbxPictureBorderKeyPress(char& key) { ListKeyPress(key); }
  void CbxQuestionSizeKeyPress(char& key) { ListKeyPress(key); }
  void CbxQuestionFontKeyPress(char& key) { ListKeyPress(key); }
  void CbxQuestionBoxKeyPress(char& key) { ListKeyPress(key); }
  void CbxAnswerSizeKeyPress(char& key) { ListKeyPress(key); }
  void CbxAnswerFontKeyPress(char& key) { ListKeyPress(key); }
  void CbxAnswerBoxKeyPress(char& key) { ListKeyPress(key); }
  void CbxStatisticsFontKeyPress(char& key) { ListKeyPress(key); }

  void MemoMediaClick();
  void MemoQuestionClick();
  void MemoAnswerClick();
  void Image1Click();
  void Image1ContextPopup();
  void CbxPictureDefaultContextPopup();
  void CbxPictureDefaultKeyDown(uint16_t& key, tk::ShiftState shift);

  void BtnApplyClick();
  void BtnDefaultClick();
  void BtnOriginalClick();
  void BtnCloseClick();

  // The file from the current lists and MediaAlignText.
  void SaveSettingsFile();
  void AddNewPicture();

  // The list of a settings line (none for line 19).
  tk::DropDownList* ListOfLine(int line) const;
  // A settings line as a reader applies it to this window: selects the
  // item, restyles the mock-up when one matches; lines 9, 10 and 19 are
  // the readers' own.
  knowledge::LineValue SelectLine(int line, const std::string& text);
  void ApplyMockupLine(int line, const knowledge::LineValue& v);
  // Title, "&Make Default", the score figures and the tick marks for a
  // background colour.
  void ApplyDarkRule(tk::Color background);
  void SetPreviewAspect(bool stretched);
  // The pictures folder the window reads (the server's in the school
  // variant), with its trailing separator.
  std::string PicturesFolder() const;
  // Loads a picture of the folder into the preview when it is a regular
  // file that decodes. Otherwise the preview is emptied and ShowPreview
  // raises plat::PictureError, LoadPreview returns false.
  void ShowPreview(const std::string& path);
  // The same for a name of the pictures folder; a name that is not a bare
  // file name is never looked for.
  void ShowFolderPicture(const std::string& name);
  bool LoadPreview(const std::string& path);
  // The whole-window background, with the check box painted on it.
  void SetWindowColour(tk::Color c);
};

}  // namespace tovrek
