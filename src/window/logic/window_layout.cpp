// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_layout.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>

#include "setting_table.h"

namespace zelora {
namespace {

using K = ControlKind;
constexpr int kNone = kNoTabStop;
constexpr unsigned kHiddenDisabled = kHidden | kDisabled;

using S = Setting;

// clang-format off

// ---------------------------------------------------------------------------
// The entries of the settings' lists as the lists show them, in the order of
// the entries of the settings' rows: a list index names the entry whose word
// the printer is told. Without an English caption, both faces show the text.

constexpr LayoutText kBaudRates[] = {
  {"300"}, {"600"}, {"1200"}, {"2400"}, {"4800"}, {"9600"}, {"19200"}, {"38400"}, {"115200"},
};

constexpr LayoutText kPowerSaveTimes[] = {
  {"OFF"}, {"10 Min"}, {"15 Min"}, {"30 Min"}, {"45 Min"}, {"60 Min"},
};

constexpr LayoutText kPaperSizes[] = {
  {"Letter"}, {"Legal"}, {"A4"}, {"Executive"}, {"COM-10"}, {"Monarch"}, {"DL"}, {"C5"}, {"B5"},
  {"Folio"}, {"A5"}, {"C6"}, {"Others(mm)"},
};

constexpr LayoutText kPaperSources[] = {{"Auto"}, {"Manual"}, {"First Tray"}, {"Second Tray"}};

constexpr LayoutText kPaperTypes[] = {{"Normal Paper", 20}, {"Envelope", 21}};

constexpr LayoutText kTypefaces[] = {
  {"Courier SWC Upright Medium"},         {"Courier SWC Upright Bold"},
  {"Courier SWC Italic Medium"},          {"Courier SWC Italic Bold"},
  {"Letter Gothic Upright Medium"},       {"Letter Gothic Upright Bold"},
  {"Letter Gothic Italic Medium"},        {"Dutch801 SWC Upright Medium"},
  {"Dutch801 SWC Upright Bold"},          {"Dutch801 SWC Italic Medium"},
  {"Dutch801 SWC Italic Bold"},           {"ZapfHumst Dm SWC Upright Medium"},
  {"ZapfHumst Dm SWC Upright Bold"},      {"ZapfHumst Dm SWC Italic Medium"},
  {"ZapfHumst Dm SWC Italic Bold"},       {"Ribbon 131 SWC Italic Medium"},
  {"Clarendon SWC Upright Bold"},         {"Swiss742 Upright Medium"},
  {"Swiss742 Upright Bold"},              {"Swiss742 Italic Medium"},
  {"Swiss742 Italic Bold"},               {"Swiss742 CN Upright Medium"},
  {"Swiss742 CN Upright Bold"},           {"Swiss742 CN Italic Medium"},
  {"Swiss742 CN Italic Bold"},            {"Incised901 SWC Upright Medium"},
  {"Incised901 SWC Upright Bold"},        {"Incised901 SWC Italic Medium"},
  {"OrigGaramond SWC Upright Medium"},    {"OrigGaramond SWC Upright Bold"},
  {"OrigGaramond SWC Italic Medium"},     {"OrigGaramond SWC Italic Bold"},
  {"Audrey Two SWC Upright Medium"},      {"Flareserif821 SWC Upright SBold"},
  {"Flareserif821 SWC Upright EBold"},    {"Swiss SWM Upright Medium"},
  {"Swiss SWM Upright Bold"},             {"Swiss SWM Italic Medium"},
  {"Swiss SWM Italic Bold"},              {"Dutch SWM Upright Medium"},
  {"Dutch SWM Upright Bold"},             {"Dutch SWM Italic Medium"},
  {"Dutch SWM Italic Bold"},              {"Symbol"},
  {"Wingding"},                           {"Line Printer Upright Medium Roman-8"},
  {"Line Printer Upright Medium ECMA94"}, {"Line Printer Upright Medium PC-8"},
  {"Line Printer Upright Medium PC-8 DN"},{"Line Printer Upright Medium PC-850"},
  {"LIne Printer Upright Medium Legal"},
};

constexpr LayoutText kSymbolSets[] = {
  {"Roman-8"},                  {"DeskTop"},
  {"ECMA 94"},                  {"Macintosh"},
  {"Math-8"},                   {"Microsoft Publishing"},
  {"PI Font"},                  {"PS Math"},
  {"PS Text"},                  {"Ventura International"},
  {"Ventura Math"},             {"Ventura US"},
  {"Windows 3.0 Latin 1"},      {"Windows 3.1 Latin 1"},
  {"Windows 3.1 Latin 2"},      {"Windows 3.1 Latin 5"},
  {"Symbol"},                   {"Wingding"},
  {"Legal"},                    {"ISO 4"},
  {"ISO 6"},                    {"ISO 11"},
  {"ISO 15"},                   {"ISO 17"},
  {"ISO 21"},                   {"ISO 60"},
  {"ISO 69"},                   {"ISO 8859/2 Latin 2"},
  {"ISO 8859/2 Latin 5"},       {"PC-8"},
  {"PC-8 DN"},                  {"PC-850"},
  {"PC-852"},                   {"PC-8 TK"},
  {"ISO 8859/5 LatinCyrillic"}, {"PC Cyrillic"},
};

constexpr LayoutText kDensities[] = {{"Средняя", 28}, {"Темнее ", 29}};

constexpr LayoutText kEconomodes[] = {{"ВЫКЛ", 31}, {"ВКЛ", 32}};

// ---------------------------------------------------------------------------
// The window. Columns: name, kind, parent, left, top, width, height, tab
// order, stored state, caption, hint, handler, list items, the setting shown.

constexpr ControlLayout kWindowControls[] = {
  {"BtnApply",     K::FlatButton,  "ZLR",   8, 234,  61, 41, kNone, 0,
   {"Отправить", 37},        {"Сохраните измененные значения", 61},      "BtnApplyClick", {}},
  {"BtnDefault",   K::FlatButton,  "ZLR",  72, 234,  89, 41, kNone, 0,
   {"По умолчанию", 38},     {"Установите значение По умолчанию", 62},   "BtnDefaultClick", {}},
  {"BtnFormfeed",  K::FlatButton,  "ZLR", 216, 234, 105, 41, kNone, 0,
   {"Подача страницы", 40},  {"Отправление команды Подача страницы", 64}, "BtnFormfeedClick", {}},
  {"BtnHelp",      K::FlatButton,  "ZLR", 328, 234,  53, 41, kNone, 0,
   {"Справка", 41},          {"Справка", 65},                            "BtnHelpClick", {}},
  {"BtnExit",      K::FlatButton,  "ZLR", 384, 234,  45, 41, kNone, 0,
   {"Выход", 42},            {"Выход", 66},                              "BtnExitClick", {}},
  // The hint is the caption table's own text, kept as written: Reset loads the
  // stored settings again and sends the printer nothing.
  {"BtnReset",     K::FlatButton,  "ZLR", 168, 234,  45, 41, kNone, 0,
   {"Сброс", 39},            {"Перезапуск принтера", 63},                "BtnResetClick", {}},
  {"PageControl1", K::PageControl, "ZLR",   8,   8, 425, 217, 0,    0,  {}, {}, {}, {}},
  {"SBar",         K::StatusBar,   "ZLR",   0, 285, 439,  24, kNone, 0, {}, {}, {}, {}},
  {"Timer1",       K::Timer,       "ZLR",   0,   0,   0,   0, kNone, kDisabled,
   {}, {}, "Timer1Timer", {}},
};

// ---------------------------------------------------------------------------
// Page "Printer".

constexpr ControlLayout kPrinterControls[] = {
  {"GroupBox1",     K::GroupBox,      "Printer",    24,   8, 193, 169, 0,     0, {}, {}, {}, {}},
  {"GroupBox2",     K::GroupBox,      "Printer",   240,   8, 169, 169, 1,     0, {}, {}, {}, {}},

  {"Label1",        K::Label,         "GroupBox1",   8,   8,  54,  13, kNone, kHidden,
   {"Baud Rate ", 6}, {}, {}, {}},
  {"Label2",        K::Label,         "GroupBox1",   8,  40,  49,  13, kNone, 0,
   {"Тайм-аут ", 7}, {}, {}, {}},
  {"Label3",        K::Label,         "GroupBox1",   8, 104,  63,  13, kNone, 0,
   {"Эк. энергии ", 8}, {}, {}, {}},
  {"ComBaudrate",   K::EditableList,  "GroupBox1",  96,   8,  89,  21, 0,     kHiddenDisabled,
   {}, {}, {}, kBaudRates, S::Baudrate},
  {"SpinTimeout",   K::SpinField,     "GroupBox1",  96,  40,  57,  21, 1,     0,
   {}, {"Установите параметр Тайм-аут для принтера", 45}, {}, {}, S::Timeout},
  {"ComPowersave",  K::PickList,      "GroupBox1",  96, 104,  89,  21, 2,     0,
   {}, {"Установите режим экономии электроэнергии", 46}, {}, kPowerSaveTimes, S::Powersave},

  {"Label4",        K::Label,         "GroupBox2",   8,  40,  50,  13, kNone, 0,
   {"Эмуляция"}, {}, {}, {}},
  {"RxLabel1",      K::ShadowedLabel, "GroupBox2",  64,  40,  34,  13, kNone, 0,
   {"PCL5e"}, {}, {}, {}},
  {"ChkAutocont",   K::CheckBox,      "GroupBox2",   8,   8,  97,  17, 0,     kHiddenDisabled,
   {"Auto continue", 9}, {}, {}, {}, S::Autocont},
  {"ChkJamrecover", K::CheckBox,      "GroupBox2",   8, 104, 153,  17, 1,     0,
   {"Восстановл. после застр.", 10},
   {"Установите параметр Восстановление после устранения застревания бумаги", 47}, {}, {}, S::Jamrecover},
  {"ChkRobust",     K::CheckBox,      "GroupBox2",   8, 144,  89,  17, 2,     kHiddenDisabled,
   {"Robust XON", 11}, {}, {}, {}, S::Robust},
};

// ---------------------------------------------------------------------------
// Page "Page".

constexpr ControlLayout kPageControls[] = {
  {"GroupBox3",     K::GroupBox,      "Page",       16,   8, 177, 177, 0,     0, {}, {}, {}, {}},
  {"GrpPapertype",  K::RadioGroup,    "Page",      208, 112, 177,  57, 1,     kHiddenDisabled,
   {"Paper Type", 19}, {"", 52}, {}, kPaperTypes, S::Papertype},
  {"GroupBox4",     K::GroupBox,      "Page",      208,   8, 177,  87, 2,     0,
   {"Ориентация", 16}, {"Установите параметр Ориентация", 51}, {}, {}},

  {"Label5",        K::Label,         "GroupBox3",   8,  16,  69,  13, kNone, 0,
   {"Разм. бумаги", 12}, {}, {}, {}},
  {"Label6",        K::Label,         "GroupBox3",   8, 159,  34,  13, kNone, kHidden,
   {"Source", 13}, {}, {}, {}},
  {"Label7",        K::Label,         "GroupBox3",   8, 101,  68,  13, kNone, 0,
   {"Строк на стр.", 14}, {}, {}, {}},
  {"Label8",        K::Label,         "GroupBox3",   8, 144,  31,  13, kNone, 0,
   {"Копии", 15}, {}, {}, {}},
  {"Label13",       K::Label,         "GroupBox3",  10,  40,  39,  13, kNone, 0,
   {"Ширина", 67}, {}, {}, {}},
  {"Label14",       K::Label,         "GroupBox3", 110,  40,  38,  13, kNone, 0,
   {"Высота", 68}, {}, {}, {}},
  {"ComPapersize",  K::PickList,      "GroupBox3",  88,  12,  79,  21, 0,     0,
   {}, {"Установите Размер бумаги", 48}, "ComPapersizeChange", kPaperSizes, S::Papersize},
  {"ComSource",     K::EditableList,  "GroupBox3",  88, 166,  81,  21, 1,     kHiddenDisabled,
   {}, {}, {}, kPaperSources, S::Source},
  {"SpinLpi",       K::SpinField,     "GroupBox3", 110, 102,  57,  21, 2,     0,
   {}, {"Установите параметр Строки на страницу", 49}, {}, {}, S::Lpi},
  {"SpinCopies",    K::SpinField,     "GroupBox3", 110, 138,  57,  21, 3,     0,
   {}, {"Установите параметр Копии", 50}, {}, {}, S::Copies},
  {"RxSpinEdit1",   K::SpinField,     "GroupBox3",  10,  60,  57,  21, 4,     0, {}, {}, {}, {}},
  {"RxSpinEdit2",   K::SpinField,     "GroupBox3", 110,  60,  57,  21, 5,     0, {}, {}, {}, {}},

  {"Image2",        K::Picture,       "GroupBox4", 112,  24,  33,  33, kNone, 0, {}, {}, {}, {}},
  {"Image3",        K::Picture,       "GroupBox4", 112,  24,  33,  33, kNone, 0, {}, {}, {}, {}},
  {"BtnPortrait",   K::RadioButton,   "GroupBox4",   8,  24,  89,  17, 0,     0,
   {"Вертикально", 17}, {}, "BtnPortraitClick", {}, S::Orientation},
  {"BtnLandscape",  K::RadioButton,   "GroupBox4",   8,  48,  89,  25, 1,     0,
   {"Горизонтально", 18}, {}, "BtnLandscapeClick", {}},
};

// ---------------------------------------------------------------------------
// Page "Font".

constexpr ControlLayout kFontControls[] = {
  {"Label9",        K::Label,         "Font",        8,   8,  52,  13, kNone, 0,
   {"Гарнитура", 22}, {}, {}, {}},
  {"Label10",       K::Label,         "Font",      256,   8,  67,  13, kNone, 0,
   {"Наб. символ.", 23}, {}, {}, {}},
  {"Label11",       K::Label,         "Font",        8, 144,  62,  13, kNone, 0,
   {"Шаг шрифта", 24}, {}, {}, {}},
  {"Label12",       K::Label,         "Font",      256, 144,  59,  13, kNone, 0,
   {"Р-р в пункт.", 25}, {}, {}, {}},
  {"ListTypeface",  K::ListBox,       "Font",        8,  24, 209, 113, 0,     0,
   {}, {"Установите параметр Гарнитура шрифта", 53}, "ListTypefaceClick", kTypefaces, S::Typeface},
  {"ListSymbol",    K::ListBox,       "Font",      256,  24, 139, 113, 1,     0,
   {}, {"Установите Символ", 54}, {}, kSymbolSets, S::Symbol},
  {"SpinPitch",     K::SpinField,     "Font",        8, 160,  65,  21, 2,     0,
   {}, {"Установите Шаг шрифта", 55}, {}, {}, S::Pitch},
  {"SpinPoint",     K::SpinField,     "Font",      256, 160,  65,  21, 3,     0,
   {}, {"Установите Размер в пунктах", 56}, {}, {}, S::Point},
};

// ---------------------------------------------------------------------------
// Page "Quality".

constexpr ControlLayout kQualityControls[] = {
  {"GrpDensity",    K::RadioGroup,    "Quality",    56,  24, 121, 145, 0,     0,
   {"Плотность ", 26}, {"Установите Плотность", 57}, {}, kDensities, S::Density},
  {"GrpEconomode",  K::RadioGroup,    "Quality",   240,  24, 121, 145, 1,     0,
   {"Режим Econo", 30}, {"Установите режим Econo", 58}, {}, kEconomodes, S::Economode},
};

// ---------------------------------------------------------------------------
// Page "About".

constexpr ControlLayout kAboutControls[] = {
  {"RxLabel2",      K::ShadowedLabel, "About",     159,   8, 208,  13, kNone, 0,
   {"Zelora", 33}, {}, {}, {}},
  {"RxLabel3",      K::ShadowedLabel, "About",     159,  32,  57,  13, kNone, 0,
   {"Версия 1.0", 34}, {}, {}, {}},
  {"RxLabel4",      K::ShadowedLabel, "About",     159,  56, 258,  13, kNone, 0,
   {"© Quorvan. Все права защищены.", 35}, {}, {}, {}},
  {"RxLabel5",      K::ShadowedLabel, "About",     167,  80,   5,  13, kNone, 0,
   {"", 36}, {}, {}, {}},
  {"BtnConfig",     K::FlatButton,    "About",     120, 136, 137,  49, kNone, 0,
   {"Страница конфигурации", 43}, {"Печать Отчета состояния", 59}, "BtnConfigClick", {}},
  {"BtnTestPrt",    K::FlatButton,    "About",     264, 136, 153,  49, kNone, 0,
   {"Демонстрационный список", 44}, {"Печать Демонстрационного списка", 60},
   "BtnTestPrtClick", {}},
  {"Gauge",         K::Gauge,         "About",     120, 118, 297,  16, kNone, kHidden,
   {}, {}, {}, {}},
  {"Panel1",        K::Panel,         "About",       8,  10, 140,  92, kNone, 0, {}, {}, {}, {}},
  {"Image1",        K::Picture,       "Panel1",      1,   1, 138,  90, kNone, 0, {}, {}, {}, {}},
};

constexpr PageLayout kPages[] = {
  {"Printer", {"Принтер", 1},           kPrinterControls},
  {"Page",    {"Страница", 2},          kPageControls},
  {"Font",    {"Шрифт", 3},             kFontControls},
  {"Quality", {"Качество", 4},          kQualityControls},
  {"About",   {"О программе /Тест", 5}, kAboutControls},
};

// clang-format on

// A list has one entry for each entry of its setting's row, so that no index
// of the list is missing from the row nor the other way round; a control that
// shows no setting has no list.
constexpr bool ListsMatchRows(std::span<const ControlLayout> controls) {
  return std::ranges::all_of(controls, [](const ControlLayout& control) {
    return control.items.size() == (control.shows ? RowOf(*control.shows).items.size() : 0);
  });
}
static_assert(ListsMatchRows(kWindowControls) &&
                  std::ranges::all_of(kPages,
                                      [](const PageLayout& page) {
                                        return ListsMatchRows(page.controls);
                                      }),
              "a list and its setting's row differ in their number of entries");

// clang-format off

constexpr StatusPanelLayout kStatusPanels[] = {
  {{"  Статус"}, 50},
  {{""}, 50, true},
};

// ---------------------------------------------------------------------------
// The English caption table, for a second face of the window.

constexpr std::array<std::string_view, kEnglishCaptionCount> kEnglishCaptions = {
  /*  1 */ "Printer",
  /*  2 */ "Page",
  /*  3 */ "Font",
  /*  4 */ "Quality",
  /*  5 */ "About/Test",
  /*  6 */ "Baud Rate",
  /*  7 */ "Timeout",
  /*  8 */ "Power Save",
  /*  9 */ "Auto Continue",
  /* 10 */ "Jam Recovery",
  /* 11 */ "Robust XON",
  /* 12 */ "Paper Size",
  /* 13 */ "Source",
  /* 14 */ "Lines Per Page",
  /* 15 */ "Copies",
  /* 16 */ "Orientation",
  /* 17 */ "Portrait",
  /* 18 */ "Landscape",
  /* 19 */ "Paper Type",
  /* 20 */ "Normal Paper",
  /* 21 */ "Envelope",
  /* 22 */ "Typeface",
  /* 23 */ "Symbol Set",
  /* 24 */ "Pitch",
  /* 25 */ "Point Size",
  /* 26 */ "Density",
  /* 27 */ "Light",
  /* 28 */ "Medium",
  /* 29 */ "Dark",
  /* 30 */ "Econo Mode",
  /* 31 */ "OFF",
  /* 32 */ "ON",
  /* 33 */ "Zelora",
  /* 34 */ "Version :3.2",
  /* 35 */ "© Quorvan. All rights reserved.",
  /* 36 */ " ",
  /* 37 */ "Send",
  /* 38 */ "Default",
  /* 39 */ "Reset",
  /* 40 */ "Formfeed",
  /* 41 */ "Help",
  /* 42 */ "Exit",
  /* 43 */ "Configuration Sheet",
  /* 44 */ "Demonstration Page",
  /* 45 */ "Set Printer Timeout Value.",
  /* 46 */ "Set Power save mode.",
  /* 47 */ "Set Paper Jam Recovery.",
  /* 48 */ "Set Paper size.",
  /* 49 */ "Set Lines Per Page.",
  /* 50 */ "Set Copies Value.",
  /* 51 */ "Set Orientation.",
  /* 52 */ "Set Paper type.",
  /* 53 */ "Set Typeface.",
  /* 54 */ "Set Symbol.",
  /* 55 */ "Set Pitch Value.",
  /* 56 */ "Set Point Value.",
  /* 57 */ "Set Density.",
  /* 58 */ "Set Econo Mode.",
  /* 59 */ "Print Status Report.",
  /* 60 */ "Print Demo Page.",
  /* 61 */ "Save Changed Values.",
  /* 62 */ "Set Default Value.",
  /* 63 */ "Reset Printer.",
  /* 64 */ "Send Formfeed.",
  /* 65 */ "Help.",
  /* 66 */ "Exit ZLR.",
  /* 67 */ "Width",
  /* 68 */ "Height",
};
// clang-format on

}  // namespace

std::span<const ControlLayout> WindowControls() { return kWindowControls; }

std::span<const PageLayout> Pages() { return kPages; }

std::span<const StatusPanelLayout> StatusPanels() { return kStatusPanels; }

int HintPanel() {
  constexpr auto hints = std::ranges::find(kStatusPanels, true, &StatusPanelLayout::shows_hints);
  static_assert(hints != std::ranges::end(kStatusPanels), "no status panel shows the hints");
  return static_cast<int>(hints - std::ranges::begin(kStatusPanels));
}

std::string_view EnglishCaption(int id) {
  if (id < 1 || id > kEnglishCaptionCount) return {};
  return kEnglishCaptions[static_cast<std::size_t>(id - 1)];
}

const ControlLayout& LayoutOf(Control control) {
  static const std::array<const ControlLayout*, kControlCount> rows = [] {
    std::array<const ControlLayout*, kControlCount> found{};
    const auto take = [&](std::span<const ControlLayout> layout) {
      for (const ControlLayout& row : layout) {
        if (const std::optional<Control> named = ControlNamed(row.name)) {
          found[static_cast<std::size_t>(*named)] = &row;
        }
      }
    };
    take(WindowControls());
    for (const PageLayout& page : Pages()) take(page.controls);
    return found;
  }();
  const ControlLayout* row = rows[static_cast<std::size_t>(control)];
  if (row == nullptr)
    throw std::logic_error("the layout has no control " + std::string(ControlName(control)));
  return *row;
}

}  // namespace zelora
