#include "control_transfer.h"

namespace zelora {

void ApplyOrientation(bool portrait, ControlValues& controls) {
  // Checking a radio button runs its click, which sets the same pictures; they
  // are set here too so the result does not depend on the click having run
  // (checking an already checked button runs nothing).
  if (portrait) {
    controls.SetChecked(Control::BtnPortrait, true);
    controls.SetVisible(Control::Image2, true);
    controls.SetVisible(Control::Image3, false);
  } else {
    controls.SetChecked(Control::BtnLandscape, true);
    controls.SetVisible(Control::Image2, false);
    controls.SetVisible(Control::Image3, true);
  }
}

void Push(const SettingsRecord& record, ControlValues& controls) {
  controls.SetItemIndex(Control::ComBaudrate, record.baudrate);
  controls.SetSpinValue(Control::SpinTimeout, record.timeout);
  controls.SetItemIndex(Control::ComPowersave, record.powersave);

  controls.SetChecked(Control::ChkAutocont, record.autocont);
  controls.SetChecked(Control::ChkJamrecover, record.jamrecover);
  controls.SetChecked(Control::ChkRobust, record.robust);

  controls.SetItemIndex(Control::ComPapersize, record.papersize);
  controls.SetItemIndex(Control::ComSource, record.source);

  controls.SetSpinValue(Control::SpinLpi, record.lpi);
  controls.SetSpinValue(Control::SpinCopies, record.copies);

  ApplyOrientation(record.orientation, controls);

  controls.SetItemIndex(Control::GrpPapertype, record.papertype);
  controls.SetItemIndex(Control::ListTypeface, record.typeface);
  controls.SetItemIndex(Control::ListSymbol, record.symbol);

  controls.SetSpinValue(Control::SpinPitch, record.pitch);
  controls.SetSpinValue(Control::SpinPoint, record.point);

  controls.SetItemIndex(Control::GrpDensity, record.density);
  controls.SetItemIndex(Control::GrpEconomode, record.economode);

  controls.SetSpinValue(Control::RxSpinEdit1, record.width);
  controls.SetSpinValue(Control::RxSpinEdit2, record.height);
}

void Pull(ControlValues& controls, SettingsRecord& record) {
  record.baudrate = controls.ItemIndex(Control::ComBaudrate);
  record.timeout = controls.SpinValue(Control::SpinTimeout);
  record.powersave = controls.ItemIndex(Control::ComPowersave);
  record.autocont = controls.Checked(Control::ChkAutocont);
  record.jamrecover = controls.Checked(Control::ChkJamrecover);
  record.robust = controls.Checked(Control::ChkRobust);
  record.papersize = controls.ItemIndex(Control::ComPapersize);
  record.source = controls.ItemIndex(Control::ComSource);
  record.lpi = controls.SpinValue(Control::SpinLpi);
  record.copies = controls.SpinValue(Control::SpinCopies);

  // The record's orientation is what the printer was last told.
  ApplyOrientation(record.orientation, controls);

  record.papertype = controls.ItemIndex(Control::GrpPapertype);
  record.typeface = controls.ItemIndex(Control::ListTypeface);
  record.symbol = controls.ItemIndex(Control::ListSymbol);
  record.pitch = controls.SpinValue(Control::SpinPitch);
  record.point = controls.SpinValue(Control::SpinPoint);
  record.density = controls.ItemIndex(Control::GrpDensity);
  record.economode = controls.ItemIndex(Control::GrpEconomode);
  record.width = controls.SpinValue(Control::RxSpinEdit1);
  record.height = controls.SpinValue(Control::RxSpinEdit2);
}

}  // namespace zelora
