// A unit whose layout names a handler it does not have does not build.
#include "designs/Rule_Unit_design.h"

namespace tovrek {

class TRuleForm : public TRuleFormDesign<TRuleForm> {
 public:
  explicit TRuleForm(tk::Application& app) : TRuleFormDesign(app) { LoadDesign(); }
  void FormActivate() {}
#ifndef BREAK_THE_RULE
  void Button1Click() {}
#endif
};

void MakeRuleForm(tk::Application& app) { TRuleForm form(app); }

}  // namespace tovrek
