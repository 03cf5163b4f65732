#include "mainwnd/MainControlsLogic.h"

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/InfoIni.h"
#include "app/ReplySleep.h"

#include <cstdio>

namespace {
bool ValidLayer(uint32_t layer) { return layer < LayerCount; }
bool ValidSlot(int slot) { return slot >= 0 && slot < PresetSlotCount; }
}  // namespace

// ---- input icons ----

std::optional<int> InputIconAt(const std::array<LayoutRect, InputIconCount>& icons, const DeviceState& s, int x,
                               int y) {
  for (int i = 0; i < InputIconCount; ++i) {
    if (!s.InputTable[i].Present) continue;
    const LayoutRect& r = icons[i];
    if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom + 16) return i;
  }
  return std::nullopt;
}

std::optional<InputChoice> ChooseInputForLayer(DeviceState& s, int input, uint32_t& layerCopy) {
  if (input < 0 || input >= InputIconCount || !s.InputTable[input].Present) return std::nullopt;
  // While a test pattern holds the output, inputs are not switched.
  if (s.TestPattern != 0) return std::nullopt;
  const uint32_t layer = s.CurrentLayer;
  if (!ValidLayer(layer)) return std::nullopt;
  LayerWindow& window = s.LayerWindow[layer];
  if (window.Source == input && layerCopy == layer) return std::nullopt;
  layerCopy = layer;
  // A layer on program is changed through preview and TAKE only.
  if (s.SwitcherSettings.Mode != 0 && s.SwitcherSettings.OnProgram[layer]) return std::nullopt;
  const InputChoice choice{static_cast<int>(layer), window.Source};
  window.Source = static_cast<uint8_t>(input);
  return choice;
}

int SendLayerSource(DeviceState& s, int layer) {
  if (!ValidLayer(static_cast<uint32_t>(layer))) return CommandRefused;
  return s.SendCommand(CmdLayerSource, layer);
}

// ---- layer buttons, TAKE, Freeze, sync ----

int SetPipLayerEnabled(DeviceState& s, int layer, bool on) {
  if (layer < 1 || layer >= LayerCount) return CommandRefused;
  s.LayerWindow[layer].Enable = on ? 1 : 0;
  return s.SendCommand(CmdPipEnable, layer - 1);
}

int SendTake(DeviceState& s) { return s.SendCommand(CmdTake); }

int SendFreeze(DeviceState& s, bool freeze) { return s.SendCommand(CmdFreeze, freeze ? 1 : 0); }

int SelectSyncSource(DeviceState& s, uint32_t data) {
  s.SyncLockMode = data;
  return s.SendCommand(CmdSync, 0, s.SyncLockMode);
}

int SelectSyncMode(DeviceState& s, uint32_t data) {
  s.SyncMode = data;
  return s.SendCommand(CmdSync, 1, s.SyncMode);
}

bool LayerSwitchedOn(const DeviceState& s, int layer) {
  if (!ValidLayer(static_cast<uint32_t>(layer))) return false;
  if (layer == 3 && s.LogoSettings.Pip3Usage == 1) return s.LogoSettings.Enable != 0;
  return s.LayerWindow[layer].Enable != 0;
}

bool LayerCellShown(const DeviceState& s, int layer, bool framesLocked) {
  return framesLocked && LayerSwitchedOn(s, layer);
}

namespace {
// The layer rows and TAKE of a switcher mode (anything but 1 and 2 counts as plain).
void LayerRowsFor(const DeviceState& s, uint32_t switcher, ModeView& v) {
  const auto& sw = s.SwitcherSettings;
  for (int i = 0; i < 4; ++i) {
    const bool onProgram = sw.OnProgram[i] != 0;
    if (switcher == 1) {
      const bool shown = i >= 2;  // PIP-2 and PIP-3 only
      v.Left[i] = {shown, false, onProgram, 0xEBEBEB};
      v.Right[i] = {shown, !onProgram, sw.OnPreview[i] != 0, onProgram ? 0x101010u : 0xEBEBEBu};
    } else if (switcher == 2) {
      v.Left[i] = v.Right[i] = {false, false, false, 0xEBEBEB};
    } else {
      // Plain mode: MAIN is always on; the PIP layers show their switches.
      v.Left[i] = {true, i != 0, i == 0 || LayerSwitchedOn(s, i), 0xEBEBEB};
      v.Right[i] = {false, false, false, 0xEBEBEB};
    }
  }
  v.TakeShown = switcher != 0;
  // While a test pattern holds the output no layer button and no TAKE can be used.
  if (v.TakeEnabled) return;
  for (auto* row : {&v.Left, &v.Right})
    for (LayerButtonLook& button : *row) button.Enabled = false;
}
}  // namespace

ModeView ModeViewFor(const DeviceState& s, bool lockOutputChecked, bool patternOn) {
  ModeView v;
  const uint32_t switcher = s.SwitcherSettings.Mode == 1 || s.SwitcherSettings.Mode == 2 ? s.SwitcherSettings.Mode : 0;
  const uint32_t mosaic = s.MosaicSettings.Mode;
  v.TakeEnabled = !patternOn;
  LayerRowsFor(s, switcher, v);
  v.CaptionPageHidden = switcher != 0;
  // Lock Output is the mosaic's: without one, or in a switcher mode, the frames stay locked.
  v.LockOutputShown = switcher == 0 && mosaic != 0;
  v.LockOutputChecked = v.LockOutputShown ? lockOutputChecked : true;
  v.MosaicButtonEnabled = switcher == 0;
  v.SwitcherButtonEnabled = mosaic == 0;
  // Four mosaic panels take the PIP layers, the keyer and the logo; so does the dual mode.
  const bool pipsFree = switcher == 0 ? mosaic != 5 : switcher == 1;
  // Feathering holds the PIP layers' edges and the output: no keyer, logo, PIP page or pattern.
  // Switched off it gives back what the modes allow, never more.
  const bool feathering = (s.FeatherSettings.Enable & 0xFF) != 0;
  v.PipButtonEnabled = v.LogoKeyerEnabled = pipsFree && !feathering;
  v.TestPatternEnabled = switcher == 0 && !feathering;
  return v;
}

uint32_t RefreshNameBank(DeviceState& s) {
  if (s.SwitcherSettings.Mode >= PresetBankCount) s.SwitcherSettings.Mode = 0;
  return s.SwitcherSettings.Mode;
}

// ---- presets and templates ----

std::array<PresetSlotLook, PresetSlotCount> PresetSlotLooks(const std::array<uint8_t, PresetSlotCount>& used,
                                                            int selected, PresetBank bank) {
  std::array<PresetSlotLook, PresetSlotCount> looks{};
  for (int i = 0; i < PresetSlotCount; ++i) {
    if (bank == PresetBank::Templates) {
      looks[i] = {true, PresetTextPlain};
    } else {
      looks[i] = {used[i] == 1, used[i] == 2 ? PresetTextMarked : PresetTextPlain};
    }
    if (i == selected) looks[i].Text = PresetTextSelected;
  }
  return looks;
}

void PresetRowChoice::Click(int slot) {
  if (ValidSlot(slot)) LitSlot = slot;
}

void PresetRowChoice::ShowPresets(uint32_t switcherMode) {
  Shown = PresetBank::Presets;
  LitSlot = switcherMode < PresetBankCount ? PresetPerMode[switcherMode] : -1;
}

void PresetRowChoice::ShowTemplates() {
  Shown = PresetBank::Templates;
  LitSlot = TemplateIndex;
}

void PresetRowChoice::Loaded(uint32_t switcherMode) {
  if (!ValidSlot(LitSlot)) return;
  if (Shown == PresetBank::Templates) TemplateIndex = LitSlot;
  else if (switcherMode < PresetBankCount) PresetPerMode[switcherMode] = LitSlot;
}

PresetLoad LoadPresetSlot(DeviceState& s, PresetBank bank, int slot) {
  // No slot chosen yet: there is nothing to load.
  if (!ValidSlot(slot)) return PresetLoad::NothingSelected;
  if (bank == PresetBank::Presets && s.PresetUsed[slot] == 0) return PresetLoad::EmptySlot;
  s.SendCommand(CmdPreset, bank == PresetBank::Templates ? 0 : 1, slot);
  s.SendCommand(CmdReadAll);
  return PresetLoad::Sent;
}

bool SavePresetSlot(DeviceState& s, PresetBank bank, int slot) {
  if (!ValidSlot(slot)) return false;
  s.SendCommand(CmdPreset, bank == PresetBank::Presets ? 2 : 0, slot);
  s.PresetUsed[slot] = 1;
  return true;
}

std::string DefaultPresetName(int bank, int slot) { return std::to_string(bank) + "-" + std::to_string(slot); }

std::string PresetNameKey(int bank, int slot) { return "PRESET" + DefaultPresetName(bank, slot); }

std::string InputRemarkKey(int input) { return "InPutSrcRemark-" + std::to_string(input); }

PresetNameTable LoadPresetNames(const std::string& iniPath) {
  PresetNameTable names;
  for (int b = 0; b < PresetBankCount; ++b)
    for (int n = 0; n < PresetSlotCount; ++n) {
      const std::string stored = GetIniString(iniPath, PresetNameSection, PresetNameKey(b, n));
      names[b][n] = stored.empty() ? DefaultPresetName(b, n) : stored;
    }
  return names;
}

bool SavePresetName(const std::string& iniPath, PresetNameTable& names, int bank, int slot, const std::string& name) {
  if (bank < 0 || bank >= PresetBankCount || !ValidSlot(slot)) return false;
  names[bank][slot] = LimitNameLength(name);
  return WriteIniString(iniPath, PresetNameSection, PresetNameKey(bank, slot), names[bank][slot]);
}

void LoadInputRemarks(const std::string& iniPath, DeviceState& s) {
  for (int i = 0; i < InputIconCount; ++i) {
    const std::string stored = GetIniString(iniPath, InputRemarkSection, InputRemarkKey(i));
    if (!stored.empty()) s.InputTable[i].Remark = stored;
  }
}

bool SaveInputRemark(const std::string& iniPath, DeviceState& s, int input, const std::string& remark) {
  if (input < 0 || input >= InputIconCount) return false;
  s.InputTable[input].Remark = LimitNameLength(remark);
  return WriteIniString(iniPath, InputRemarkSection, InputRemarkKey(input), s.InputTable[input].Remark);
}

std::string LimitNameLength(const std::string& name) {
  size_t chars = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    if ((static_cast<unsigned char>(name[i]) & 0xC0) == 0x80) continue;  // continuation byte
    if (chars == NameEditLimit) return name.substr(0, i);
    ++chars;
  }
  return name;
}

// ---- title and shortcuts ----

std::string TitleText(bool showPath, const std::string& projectPath, const std::string& caption) {
  return showPath ? projectPath : caption;
}

Shortcut ShortcutForKeyRelease(int keyCode, bool ctrlHeld, bool sHeld, bool typingLetters) {
  const bool digit = keyCode >= '0' && keyCode <= '9';
  if (ctrlHeld && digit) return {ShortcutAction::LoadPreset, keyCode - '0'};
  if (ctrlHeld && (keyCode == 'S' || keyCode == 's')) return {ShortcutAction::SaveProject, -1};
  if (sHeld && digit && !typingLetters) return {ShortcutAction::SavePreset, keyCode - '0'};
  return {};
}

// ---- input cards ----

int InputCardSlot(int input) {
  if (input == 8 || input == 9) return 4;
  if (input == 10 || input == 11) return 6;
  return input;
}

bool AnyLayerShowsVga(const DeviceState& s) {
  for (int layer = 0; layer < LayerCount; ++layer) {
    const int slot = InputCardSlot(s.LayerWindow[layer].Source);
    if (slot >= 0 && slot < CardSlotCount && s.InputCardType[slot] == 3) return true;
  }
  return false;
}

void PlaceOptionInput(std::array<LayoutRect, InputIconCount>& icons, const DeviceState& s) {
  if (s.InputCardType[6] >= 10) {
    const int width = icons[7].Width();
    icons[7] = {icons[6].Left, icons[6].Top, icons[6].Left + width, icons[6].Bottom};
  }
}

std::array<LayoutRect, InputIconCount> PlacedInputIcons(const LayoutRect& client, double s,
                                                        const DeviceState& state) {
  auto icons = InputIconRects(client, s);
  PlaceOptionInput(icons, state);
  return icons;
}

LayoutRect InputButtonArea(const LayoutRect& client, double s, const DeviceState& state, int input) {
  if (input < 0 || input >= InputIconCount) return {};
  const LayoutRect icon = PlacedInputIcons(client, s, state)[input];
  // The lines under an icon are centred on it and may be wider: half the 40-px gap to the next
  // icon on each side; the resolution line ends about 44 px below the icon.
  return {icon.Left - 20, icon.Top - 2, icon.Right + 20, icon.Bottom + 48};
}

std::array<bool, 3> DpSplitButtonsShown(bool splitChecked) {
  return {!splitChecked, splitChecked, splitChecked};
}

namespace {
IconPair IconsForCard(uint32_t type) {
  switch (type) {
    case 3: return {151, 153};   // VGA
    case 4: return {137, 138};   // DVI
    case 6: return {139, 140};   // HDMI
    case 7: return {141, 143};   // SDI
    case 5:
    case 8: return {135, 136};   // DP
    case 9: return {1585, 1584}; // UDISK
    default: return {};
  }
}
}  // namespace

IconPair InputIconImages(int input, const DeviceState& s) {
  switch (input) {
    case 0:
    case 2: return IconsForCard(4);
    case 1:
    case 3: return IconsForCard(6);
    case 4:
    case 8:
    case 9: return IconsForCard(8);
    case 5: return IconsForCard(7);
    case 6:
    case 7: return IconsForCard(s.InputCardType[input]);
    case 10:
    case 11: return s.InputCardType[6] == 8 ? IconsForCard(8) : IconsForCard(6);
    default: return {};
  }
}

std::string InputResolutionText(const DeviceState& s, int input) {
  const int slot = InputCardSlot(input);
  if (slot < 0 || slot >= CardSlotCount) return {};
  const InputSignal& sig = s.InputSignal[slot];
  char text[48];
  if (sig.Interlaced)
    std::snprintf(text, sizeof text, "%ui %uHz", unsigned(sig.VActive) * 2, unsigned(sig.FrameRate / 100));
  else
    std::snprintf(text, sizeof text, "%ux%u %uHz", unsigned(sig.HActive), unsigned(sig.VActive),
                  unsigned(sig.FrameRate / 100));
  return text;
}

// ---- sync lists ----

std::vector<int> SyncSourceRows(const DeviceState& s) {
  std::vector<int> rows{0, 1, 2, 3, 4, 5, 6, 7};
  auto add = [&](int row) {
    for (int r : rows)
      if (r == row) return;
    rows.push_back(row);
  };
  for (int slot : {6, 7}) {
    if (!s.InputTable[slot].Present) continue;
    switch (s.InputCardType[slot]) {
      case 4: add(slot == 6 ? 8 : 9); break;
      case 6: add(slot == 6 ? 10 : 11); break;
      case 5:
      case 8: add(12); break;
      default: break;
    }
  }
  return rows;
}

// ---- extension card ----

std::optional<PortSwitchTexts> PortSwitchTextsFor(int port, uint32_t source) {
  if (port != 0 && port != 1) return std::nullopt;
  PortSwitchTexts t;
  t.FixedString = port == 0 ? 145 : 146;
  t.AutoString = port == 0 ? 148 : 149;
  if (source == 8) {
    t.FixedEnglish = "Fixed to DP2";
    t.FixedChinese = "\u56FA\u5B9A DP2";
    t.AutoEnglish = "Auto(DP2 Default)";
    t.AutoChinese = "\u81EA\u52A8(DP2 \u4F18\u5148)";
    return t;
  }
  if (source != 6) return std::nullopt;
  // An HDMI card's first port carries DVI, its second HDMI.
  const std::string name = port == 0 ? "DVI3*" : "HDMI3";
  t.FixedEnglish = "Fixed to " + name;
  t.FixedChinese = "\u56FA\u5B9A " + name;
  t.AutoEnglish = "Auto(" + name + " Default)";
  t.AutoChinese = "\u81EA\u52A8(" + name + " \u4F18\u5148)";
  return t;
}

bool SendSignalSwitch(DeviceState& s) {
  const uint32_t active = s.ExtensionCardInfo.ActiveSource;
  const bool send = active == 0 || active == 1;
  if (send) s.SendCommand(CmdExtCardSetting, 0, active == 0 ? 1 : 0);
  ReplySleep(50);
  s.SendCommand(CmdQuery67);
  return send;
}

void SelectExtCardMode(DeviceState& s, uint32_t mode) {
  s.ExtensionCardInfo.Mode = mode;
  s.SendCommand(CmdExtCardSetting, 1, mode);
  ReplySleep(50);
  s.SendCommand(CmdQuery67);
}
