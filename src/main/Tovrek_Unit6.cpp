#include "main/Tovrek_Unit6.h"

#include "main/program.h"

namespace tovrek {

TSplashForm::TSplashForm(Program& program) : tk::Form(program.App, "SplashForm") {
  LoadLayout("layouts/Tovrek_Unit6.layout", {});
  Bind(Bevel1, "Bevel1");
  Bind(Image1, "Image1");
  Bind(Label1, "Label1");
  Bind(Label2, "Label2");
  Bind(Label3, "Label3");
  Bind(Label4, "Label4");
  Bind(Label5, "Label5");
  Bind(Label6, "Label6");
  Bind(Label7, "Label7");
  Bind(Label8, "Label8");
  Bind(Label9, "Label9");
  Bind(LblLoading, "LblLoading");
  Bind(LblSplashStatus, "LblSplashStatus");
}

}  // namespace tovrek
