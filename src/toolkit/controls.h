// The visual controls the windows are built from.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/control.h"

namespace tk {

class Picture;

// Caption of a label, button or check box: "&" marks the accelerator,
// "&&" shows one "&". The caption is kept exactly as set.
class Label : public Control {
 public:
  Label(Form* form, Control* parent, std::string name);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(Alignment a);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  void SetColor(Color c) override;
  void SetFont(const tk::Font& f) override;
  bool SetProperty(const std::string& name, const LayoutValue& value) override;
  void Loaded() override;

 private:
  void Refresh();
  void FitSize();
  std::string caption_;
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool transparent_ = true;
  Alignment alignment_ = Alignment::Left;
};

// A plain push button draws its caption in the system's button-text
// colour whatever its font colour says, as the desktop's own buttons do;
// a glyph button draws it in its font colour.
class Button : public Control {
 public:
  Button(Form* form, Control* parent, std::string name);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c);
  bool SetProperty(const std::string& name, const LayoutValue& value) override;

 protected:
  Button(Form* form, Control* parent, std::string name, std::string kind);
  void ApplyFont() override;
  std::string caption_;
};

// A button with a picture beside its caption. A two-state glyph holds the
// normal and the disabled picture side by side; the colour of the
// bottom-left pixel is transparent.
class GlyphButton : public Button {
 public:
  GlyphButton(Form* form, Control* parent, std::string name);
  // Loads from the program's stored pictures ("pictures/glyph_close.bmp").
  void SetGlyphResource(const std::string& resource, int numGlyphs);
  // The toolkit's stock glyphs: "abort".
  void SetStockGlyph(const std::string& kind);
  int NumGlyphs() const { return numGlyphs_; }
  bool HasGlyph() const { return hasGlyph_; }
  bool SetProperty(const std::string& name, const LayoutValue& value) override;

 private:
  std::string resource_;
  int numGlyphs_ = 1;
  bool hasGlyph_ = false;
};

// Pick-only drop-down list.
class DropDownList : public Control {
 public:
  DropDownList(Form* form, Control* parent, std::string name);
  const std::vector<std::string>& Items() const { return items_; }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  const std::string& Item(int index) const;
  // Returns the index the item went to (its sorted place when Sorted).
  int AddItem(const std::string& s);
  void DeleteItem(int index);
  void ClearItems();
  void SetItems(const std::vector<std::string>& items);
  // First item equal to s, compared whole and ignoring the case of a..z; -1.
  int IndexOf(const std::string& s) const;
  int ItemIndex() const { return itemIndex_; }
  // From code: runs no handler.
  void SetItemIndex(int index);
  // The selected item, or empty when nothing is selected.
  std::string Text() const;
  bool Sorted() const { return sorted_; }
  void SetSorted(bool v);
  bool SetProperty(const std::string& name, const LayoutValue& value) override;
  bool BindEvent(const std::string& event, const Handler& handler) override;

  NotifyEvent OnChange;

  // A learner's pick: selects and runs OnClick then OnChange (toolkit use).
  void UserSelect(int index);

 private:
  void SyncWidget();
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  bool sorted_ = false;
  int syncing_ = 0;
  friend struct ControlAccess;
};

class CheckBox : public Control {
 public:
  CheckBox(Form* form, Control* parent, std::string name);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c);
  bool Checked() const { return checked_; }
  // Runs OnClick when the state changes, as a learner's click does.
  void SetChecked(bool v);
  bool SetProperty(const std::string& name, const LayoutValue& value) override;

 private:
  std::string caption_;
  bool checked_ = false;
  int syncing_ = 0;
  friend struct ControlAccess;
};

class Memo : public Control {
 public:
  Memo(Form* form, Control* parent, std::string name);
  ~Memo() override;
  const std::vector<std::string>& Lines() const { return lines_; }
  int LineCount() const { return static_cast<int>(lines_.size()); }
  const std::string& Line(int index) const;
  void AddLine(const std::string& s);
  void InsertLine(int index, const std::string& s);
  void DeleteLine(int index);
  void ClearLines();
  void SetLines(const std::vector<std::string>& lines);
  // The first line the view shows.
  int TopLine() const { return topLine_; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  ScrollBars GetScrollBars() const { return scrollBars_; }
  void SetScrollBars(ScrollBars s);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  Alignment GetAlignment() const { return alignment_; }
  void SetAlignment(Alignment a);
  bool SetProperty(const std::string& name, const LayoutValue& value) override;

  // Brings the widget up to date with the lines (done lazily otherwise).
  void Sync();

 private:
  void Changed(int caretLine);
  std::vector<std::string> lines_;
  int caretLine_ = 0;
  int topLine_ = 0;
  bool readOnly_ = false;
  bool wordWrap_ = true;
  bool dirty_ = false;
  bool syncQueued_ = false;
  ScrollBars scrollBars_ = ScrollBars::None;
  Alignment alignment_ = Alignment::Left;
  std::shared_ptr<bool> alive_;
};

class Panel : public Control {
 public:
  Panel(Form* form, Control* parent, std::string name);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c);
  BevelKind BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(BevelKind b);
  BevelKind BevelInner() const { return bevelInner_; }
  void SetBevelInner(BevelKind b);
  BorderStyle GetBorderStyle() const { return borderStyle_; }
  void SetBorderStyle(BorderStyle b);
  // Pixels each bevel is drawn wide, outer and inner alike.
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int w);
  bool SetProperty(const std::string& name, const LayoutValue& value) override;

 private:
  std::string caption_;
  BevelKind bevelOuter_ = BevelKind::Raised;
  BevelKind bevelInner_ = BevelKind::None;
  int bevelWidth_ = 1;
  BorderStyle borderStyle_ = BorderStyle::None;
  friend class PanelWidget;
};

class Image;

// A picture file decoded once for any number of Image controls, at the
// smallest scale that still covers the largest of their areas (the whole
// picture for a control showing pictures at their own size); each control
// lays it out by the picture's own size. Copies share the pixels.
class SharedPicture {
 public:
  SharedPicture();
  ~SharedPicture();
  SharedPicture(const SharedPicture&);
  SharedPicture& operator=(const SharedPicture&);
  // As Image::LoadFromFile, for all of `shownIn` (none: at full size).
  static SharedPicture Load(const std::string& path, std::initializer_list<const Image*> shownIn);

 private:
  std::shared_ptr<const Picture> picture_;
  friend class Image;
};

// Picture display: stretched, or proportional (a larger picture shrunk with
// its proportions kept, a smaller one at its own size), optionally centred.
class Image : public Control {
 public:
  Image(Form* form, Control* parent, std::string name);
  ~Image() override;
  // By extension: ".JPG"/".JPEG" (libjpeg) or ".BMP", decoded for this
  // control's area in its present display mode (see SharedPicture). A
  // missing file, one that cannot be decoded or one beyond the bounds of
  // platform/picture_size.h throws plat::PictureError; the picture is kept.
  void LoadFromFile(const std::string& path);
  void SetPicture(const SharedPicture& picture);
  void LoadFromResource(const std::string& resource);
  void ClearPicture();
  bool HasPicture() const;
  // The picture's own size.
  int PictureWidth() const;
  int PictureHeight() const;
  // The pixels held, which may be fewer than the picture's own.
  int DecodedWidth() const;
  int DecodedHeight() const;
  // Where the picture is drawn inside the control, for the current mode.
  void DrawRect(int& x, int& y, int& w, int& h) const;
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool v);
  bool Center() const { return center_; }
  void SetCenter(bool v);
  bool SetProperty(const std::string& name, const LayoutValue& value) override;

 private:
  // The device pixels a picture must cover to look sharp here; 0 x 0
  // when it is shown at its own size.
  void CoverArea(int& width, int& height) const;

  std::unique_ptr<Picture> picture_;
  bool stretch_ = false;
  bool proportional_ = false;
  bool center_ = false;
  friend class ImageWidget;
  friend class SharedPicture;
};

// A rectangle: its pen colour draws the outline (a 1-pixel-wide shape is a
// line), its brush colour fills it.
class Shape : public Control {
 public:
  Shape(Form* form, Control* parent, std::string name);
  Color PenColor() const { return penColor_; }
  void SetPenColor(Color c);
  Color BrushColor() const { return brushColor_; }
  void SetBrushColor(Color c);
  bool SetProperty(const std::string& name, const LayoutValue& value) override;

 private:
  Color penColor_ = clBlack;
  Color brushColor_ = clWhite;
  friend class ShapeWidget;
};

class Bevel : public Control {
 public:
  Bevel(Form* form, Control* parent, std::string name);
  bool Raised() const { return raised_; }
  void SetRaised(bool v);
  bool SetProperty(const std::string& name, const LayoutValue& value) override;

 private:
  bool raised_ = false;
  friend class BevelWidget;
};

// Horizontal bar gauge from 0 to 100, drawn without text.
class Gauge : public Control {
 public:
  Gauge(Form* form, Control* parent, std::string name);
  int Progress() const { return progress_; }
  void SetProgress(int v);
  Color ForeColor() const { return foreColor_; }
  void SetForeColor(Color c);
  Color BackColor() const { return backColor_; }
  void SetBackColor(Color c);
  bool SetProperty(const std::string& name, const LayoutValue& value) override;

 private:
  int progress_ = 0;
  Color foreColor_ = clBlack;
  Color backColor_ = clWhite;
  friend class GaugeWidget;
};

// Items are laid out column by column. From the keyboard the group is one
// stop: Tab enters it on its checked item (the first when none is), and
// the arrow keys move the selection through the items in order, Right and
// Down forwards, Left and Up back, wrapping round at either end; a
// selection moved by a key runs OnClick as a click does.
class RadioGroup : public Control {
 public:
  RadioGroup(Form* form, Control* parent, std::string name);
  ~RadioGroup() override;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c);
  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(const std::vector<std::string>& items);
  int ItemIndex() const { return itemIndex_; }
  // Runs OnClick when the index changes, from code as from the learner.
  void SetItemIndex(int index);
  int Columns() const { return columns_; }
  void SetColumns(int c);
  bool SetProperty(const std::string& name, const LayoutValue& value) override;

 private:
  void Rebuild();
  void SyncChecks();
  // Only the checked item is a tab stop, and the frame passes the focus on.
  void SyncFocusStops();
  std::string caption_;
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  int columns_ = 1;
  int syncing_ = 0;
  friend struct ControlAccess;
};

class ListBox : public Control {
 public:
  ListBox(Form* form, Control* parent, std::string name);
  const std::vector<std::string>& Items() const { return items_; }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  int AddItem(const std::string& s);
  void ClearItems();
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  bool SetProperty(const std::string& name, const LayoutValue& value) override;

 private:
  std::vector<std::string> items_;
  int itemIndex_ = -1;
  int syncing_ = 0;
  friend struct ControlAccess;
};

class Edit : public Control {
 public:
  Edit(Form* form, Control* parent, std::string name);
  const std::string& Text() const { return text_; }
  // Runs OnChange when the text changes, from code as from typing.
  void SetText(const std::string& t);
  void SelectAll();
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n);
  bool SetProperty(const std::string& name, const LayoutValue& value) override;
  bool BindEvent(const std::string& event, const Handler& handler) override;

  NotifyEvent OnChange;

 private:
  std::string text_;
  int maxLength_ = 0;
  int syncing_ = 0;
  friend struct ControlAccess;
};

}  // namespace tk
