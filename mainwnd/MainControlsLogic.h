#pragma once
// The rules behind the main window's own device controls: the input icons, the layer buttons,
// TAKE, Freeze, the sync lists, the preset row and its names, the title and the preset
// shortcuts. Each action writes DeviceState and sends its one command; nothing here knows wx.
#include "mainwnd/MainLayout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class DeviceState;
using PresetColour = uint32_t;  // 0x00BBGGRR

inline constexpr int PresetSlotCount = 10;
inline constexpr int PresetBankCount = 3;  // one bank of names per switcher mode
inline constexpr int InputIconCount = 12;
inline constexpr PresetColour PresetTextPlain = 0x000000;
inline constexpr PresetColour PresetTextMarked = 0x0000FF;   // red
inline constexpr PresetColour PresetTextSelected = 0x009CEF; // accent

// ---- input icons ----

// The input whose icon (extended 16 px downwards) holds the point; the first present one wins.
std::optional<int> InputIconAt(const std::array<LayoutRect, InputIconCount>& icons, const DeviceState& s, int x,
                               int y);

struct InputChoice {
  int Layer = 0;
  int OldSource = 0;
};
// The operator clicked input's icon: it becomes the source of the current layer unless the
// test pattern holds the output, it already is that layer's source, or the layer is on program
// in a switcher mode. layerCopy follows DeviceState.CurrentLayer. On a change the Source byte is
// written; the caller then applies the layer with its command.
std::optional<InputChoice> ChooseInputForLayer(DeviceState& s, int input, uint32_t& layerCopy);
// The layer's source goes to the device (the encoder fills the source bytes).
int SendLayerSource(DeviceState& s, int layer);

// ---- layer buttons, TAKE, Freeze, sync ----

// PIP layer n (1..3) on or off.
int SetPipLayerEnabled(DeviceState& s, int layer, bool on);
int SendTake(DeviceState& s);
int SendFreeze(DeviceState& s, bool freeze);
// The sync lock source (list 0) or the sync mode (list 1) picked by its item data.
int SelectSyncSource(DeviceState& s, uint32_t data);
int SelectSyncMode(DeviceState& s, uint32_t data);

// How one layer button looks and whether it can be used.
struct LayerButtonLook {
  bool Shown = false, Enabled = false, Checked = false;
  PresetColour Text = 0xEBEBEB;
};
// Every button, tab and page the device's modes decide, derived from the whole state at once
// (switcher mode, mosaic mode, feathering) with Lock Output's own check and whether a test
// pattern holds the output. Every way into or out of a mode (the switcher page, a device report,
// a read of the whole state, a preset, a project, Lock Output, feathering, Set Data) applies it,
// so whichever change or reply comes last, the view is the same. Feathering adds its own
// restriction on top of the modes' and lifts only that one.
struct ModeView {
  std::array<LayerButtonLook, 4> Left, Right;  // the layer rows, a running test pattern applied
  bool TakeShown = false, TakeEnabled = true;
  bool LockOutputShown = false;   // only with a mosaic in plain mode
  bool LockOutputChecked = true;  // hidden, it is checked: layers on top, frames locked
  bool MosaicButtonEnabled = true;
  bool SwitcherButtonEnabled = true;  // the switcher (KEYER) page: not under a mosaic
  bool PipButtonEnabled = true;
  bool LogoKeyerEnabled = true;       // LOGO page button, MISC's Keyer tab and the keyer page
  bool TestPatternEnabled = true;     // MISC's TEST PATTERN tab and the test-pattern page
  bool CaptionPageHidden = false;     // the caption page closes in the switcher modes
};
ModeView ModeViewFor(const DeviceState& s, bool lockOutputChecked, bool patternOn);
// Whether a layer is switched on: PIP-3 carrying the logo by the logo's switch, every other
// layer by its own (its button is lit by the same).
bool LayerSwitchedOn(const DeviceState& s, int layer);
// One rule for whether a layer cell shows: nothing while the frames are unlocked; PIP-3 carrying
// the logo by the logo's switch; every other layer by its own.
bool LayerCellShown(const DeviceState& s, int layer, bool framesLocked);
// The bank of preset names the switcher mode shows; a mode of 3 or more counts (and is stored) as 0.
uint32_t RefreshNameBank(DeviceState& s);

// ---- presets and templates ----

enum class PresetBank { Presets, Templates };

struct PresetSlotLook {
  bool Checked = false;
  PresetColour Text = PresetTextPlain;
};
// The slot buttons after the device reported its preset states: in the Presets bank a used
// slot is checked, a marked one red; the selected one in the accent colour. In the Templates
// bank every slot is checked.
std::array<PresetSlotLook, PresetSlotCount> PresetSlotLooks(const std::array<uint8_t, PresetSlotCount>& used,
                                                            int selected, PresetBank bank);

// Which slot the preset row lights, which is the slot Load and Save act on (-1: none). A click
// lights its slot; the Presets bank, when shown, lights the slot last loaded from it in the
// current switcher mode, the Templates bank the template last loaded; a switcher-mode change
// leaves the lit slot as it is.
class PresetRowChoice {
 public:
  PresetBank Bank() const { return Shown; }
  int Lit() const { return LitSlot; }
  void Click(int slot);
  void ShowPresets(uint32_t switcherMode);
  void ShowTemplates();
  // The lit slot of the shown bank was loaded in this switcher mode: the bank remembers it.
  void Loaded(uint32_t switcherMode);

 private:
  PresetBank Shown = PresetBank::Presets;
  int LitSlot = -1;
  std::array<int, PresetBankCount> PresetPerMode{-1, -1, -1};
  int TemplateIndex = -1;
};

enum class PresetLoad { NothingSelected, EmptySlot, Sent };
// Load of the selected slot: a template always (sub-code 0), a preset only when its slot is
// used (sub-code 1), each followed by a read of the whole state.
PresetLoad LoadPresetSlot(DeviceState& s, PresetBank bank, int slot);
// Saves the current state into the slot (sub-code 2 in the Presets bank, 0 in Templates).
bool SavePresetSlot(DeviceState& s, PresetBank bank, int slot);

// Preset names: banks x slots, stored in Info.ini as [PNAMESTR] PRESET<bank>-<slot>.
using PresetNameTable = std::array<std::array<std::string, PresetSlotCount>, PresetBankCount>;
std::string DefaultPresetName(int bank, int slot);
std::string PresetNameKey(int bank, int slot);
std::string InputRemarkKey(int input);
inline constexpr char PresetNameSection[] = "PNAMESTR";
inline constexpr char InputRemarkSection[] = "REMARKSTR";
inline constexpr size_t NameEditLimit = 9;
PresetNameTable LoadPresetNames(const std::string& iniPath);
bool SavePresetName(const std::string& iniPath, PresetNameTable& names, int bank, int slot, const std::string& name);
// A stored non-empty remark replaces the input's remark.
void LoadInputRemarks(const std::string& iniPath, DeviceState& s);
bool SaveInputRemark(const std::string& iniPath, DeviceState& s, int input, const std::string& remark);
// A typed name keeps at most 9 characters (whole UTF-8 characters).
std::string LimitNameLength(const std::string& name);

// ---- title and shortcuts ----

// The title alternates between the product caption and the project path.
std::string TitleText(bool showPath, const std::string& projectPath, const std::string& caption);

enum class ShortcutAction { None, LoadPreset, SavePreset, SaveProject };
struct Shortcut {
  ShortcutAction Action = ShortcutAction::None;
  int Slot = -1;
};
// A key released in any of the program's windows (the name editor keeps its own keys): Ctrl+0..9
// loads preset 1..10, Ctrl+S saves the project, S held with 0..9 saves preset 1..10. The last
// is left out while the operator types letters into a text (a caption's "S1" saves nothing).
Shortcut ShortcutForKeyRelease(int keyCode, bool ctrlHeld, bool sHeld, bool typingLetters);

// ---- input cards ----

// The card slot an input lives on: itself for 0..7, the DP card (4) for its halves 8 and 9,
// the extension slot (6) for 10 and 11.
int InputCardSlot(int input);
// Some layer shows an input on a VGA card: the VGA adjustment page is worth opening.
bool AnyLayerShowsVga(const DeviceState& s);
// A card of type 10 or more in slot 6 fills both option places: input 7's icon takes 6's place.
void PlaceOptionInput(std::array<LayoutRect, InputIconCount>& icons, const DeviceState& s);
// The input icons as the strip draws them: laid out, then the option input placed by its card.
std::array<LayoutRect, InputIconCount> PlacedInputIcons(const LayoutRect& client, double s,
                                                        const DeviceState& state);
// What one input's icon, marker, name, remark and resolution lines cover, where the strip draws
// them: the area repainted when the input changes.
LayoutRect InputButtonArea(const LayoutRect& client, double s, const DeviceState& state, int input);

// The template's DP, DP-L and DP-R buttons: the DP split box shows the halves or the whole input.
inline constexpr int DpButtonInputs[3] = {4, 8, 9};
std::array<bool, 3> DpSplitButtonsShown(bool splitChecked);

// The normal and highlighted icon pictures of an input (PNG ids): by its kind, and for the
// option slots by the card they hold; none (0, 0) for an unknown card.
struct IconPair {
  int Normal = 0, Highlighted = 0;
  bool operator==(const IconPair&) const = default;
};
IconPair InputIconImages(int input, const DeviceState& s);
// The resolution line under an icon: "1920x1080 60Hz", or "1080i 50Hz" for an interlaced signal.
std::string InputResolutionText(const DeviceState& s, int input);

// ---- sync lists ----

// The rows of the sync lock source list: the eight fixed ones, then at most one per present
// option slot by its card (DVI, HDMI, or DP once even when both slots hold DP cards).
std::vector<int> SyncSourceRows(const DeviceState& s);
inline constexpr int SyncSourceTextBase = 100;  // UiStrings of row 0
inline constexpr int SyncModeTextBase = 113;
inline constexpr int SyncModeRowCount = 3;

// ---- extension card ----

inline constexpr int ExtCardModeListId = 65399;
inline constexpr int ExtCardModeTextBase = 145;  // UiStrings 145..149, item data 0..4
inline constexpr int ExtCardModeCount = 5;

// The two texts one port of the card gives the mode list (fixed and automatic), in English and
// Chinese: port 0 names UiStrings 145 and 148, port 1 names 146 and 149.
struct PortSwitchTexts {
  int FixedString = 0, AutoString = 0;
  std::string FixedEnglish, FixedChinese, AutoEnglish, AutoChinese;
};
// Nothing for a source that names no card the texts know (they stay as they are).
std::optional<PortSwitchTexts> PortSwitchTextsFor(int port, uint32_t source);

// The signal-switch button: the card changes to its other port (nothing is sent while the
// active source is neither 0 nor 1), then its state is asked for. True when command 33 went out.
bool SendSignalSwitch(DeviceState& s);
// The mode list's pick: the card takes the mode, then its state is asked for.
void SelectExtCardMode(DeviceState& s, uint32_t mode);
// Only the fixed modes (0, 1) leave the card's port to the signal-switch button.
inline bool SignalSwitchAllowed(uint32_t mode) { return mode < 2; }
