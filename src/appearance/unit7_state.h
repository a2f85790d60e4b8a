// Unit-level state of the customisation window's unit: the add and delete
// operations of the pictures folder.
#pragma once

#include <cstdint>
#include <string>

#include "knowledge/settings_file.h"

namespace tovrek {

struct Unit7State {
  std::string NewPictureSource;  // the native path chosen in the dialog
  std::string NewPictureName;
  uint16_t BackslashPos = 0;
  int ReplacePicture = 0;
  int UseExistingPicture = 0;
  knowledge::SettingsLines ConfigLines;
};

}  // namespace tovrek
