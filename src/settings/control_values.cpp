#include "control_values.h"

namespace zelora {

std::string_view ControlName(Control control) {
  switch (control) {
    case Control::ComBaudrate:
      return "ComBaudrate";
    case Control::ComPowersave:
      return "ComPowersave";
    case Control::ComPapersize:
      return "ComPapersize";
    case Control::ComSource:
      return "ComSource";
    case Control::GrpPapertype:
      return "GrpPapertype";
    case Control::ListTypeface:
      return "ListTypeface";
    case Control::ListSymbol:
      return "ListSymbol";
    case Control::GrpDensity:
      return "GrpDensity";
    case Control::GrpEconomode:
      return "GrpEconomode";
    case Control::ChkAutocont:
      return "ChkAutocont";
    case Control::ChkJamrecover:
      return "ChkJamrecover";
    case Control::ChkRobust:
      return "ChkRobust";
    case Control::BtnPortrait:
      return "BtnPortrait";
    case Control::BtnLandscape:
      return "BtnLandscape";
    case Control::SpinTimeout:
      return "SpinTimeout";
    case Control::SpinLpi:
      return "SpinLpi";
    case Control::SpinCopies:
      return "SpinCopies";
    case Control::RxSpinEdit1:
      return "RxSpinEdit1";
    case Control::RxSpinEdit2:
      return "RxSpinEdit2";
    case Control::SpinPitch:
      return "SpinPitch";
    case Control::SpinPoint:
      return "SpinPoint";
    case Control::Image2:
      return "Image2";
    case Control::Image3:
      return "Image3";
    case Control::BtnConfig:
      return "BtnConfig";
    case Control::BtnTestPrt:
      return "BtnTestPrt";
    case Control::Gauge:
      return "Gauge";
  }
  return {};
}

}  // namespace zelora
