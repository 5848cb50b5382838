#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <variant>

#include "core/address_template.h"
#include "core/example_address.h"
#include "core/fill_style.h"
#include "mainwindow/segment_controls.h"
#include "mainwindow/template_dialogs.h"

class QAbstractItemModel;
class QAction;
class QCheckBox;
class QDialog;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace serialix {

class Clipboard;
class ConfigStore;
class DragStarter;
class MessageBox;
class ProgramLauncher;
class SaveDialog;
class UrlOpener;
class VirtualListBox;
struct AboutServices;
struct ExportState;
struct StoredSettings;
struct HistorySnapshot;
struct SavedTemplate;
enum class ExportFormat;

// Which digit runs of an example address become counters: the proposal on OK, nothing on Cancel.
using AskTemplate = std::function<std::optional<TemplateProposal>(ExampleAddress, QWidget* parent)>;

// The pattern typed into the dialog, prefilled with the given text: the text on OK, nothing on Cancel.
using AskPatternText = std::function<std::optional<QString>(const QString& pattern, QWidget* parent)>;

// What the window needs from outside; tests put fakes here. Empty members take the real thing.
struct frmMainServices {
  Clipboard* clipboard = nullptr;
  MessageBox* messages = nullptr;
  SaveDialog* saveDialog = nullptr;
  ConfigStore* configStore = nullptr;
  ProgramLauncher* launcher = nullptr;
  UrlOpener* urlOpener = nullptr;
  DragStarter* dragStarter = nullptr;
  std::filesystem::path settingsFile;  // empty: set.ini in the program folder (or the user's)
  QString exportDir;                   // empty: the program folder (or home when not writable)
  AskTemplate askTemplate;             // empty: the modal dialog
  AskPatternText askPattern;           // empty: the modal dialog
  AskTemplateName askTemplateName;     // empty: the modal dialogs of saved templates
  ChooseTemplate chooseTemplate;
};

// One of the three nested counters as the window sees it: the rules that G, J and L share take
// one of these. Only G has a follower (J while the link is in force); only J follows.
struct CounterControls {
  char letter = 'G';                       // 'G', 'J' or 'L'
  QCheckBox* check = nullptr;              // CheckG, CheckJ, CheckL
  std::array<QComboBox*, 2> combos{};      // from, to
  std::array<QRadioButton*, 3> options{};  // "  1", " 01", "001": the index is the fill style
  QGroupBox* frame = nullptr;              // Frame1, Frame2, Frame3
  CounterControls* follower = nullptr;     // takes this counter's texts and style while linked
  bool follows = false;                    // stands still while linked
};

// The fill style of the counter's checked option ("  1" when none is).
FillStyle SelectedStyle(const CounterControls& counter);

// What the next run would produce from the window as it stands, or the counter text it would refuse.
using NextRunResult = std::variant<AddressTemplate, CounterTextError, SegmentTextError>;

// The main window. Control members carry the names the handlers use; each widget's objectName
// is the same name, with the index in parentheses for indexed controls ("cmbG(0)", "opt1(2)").
// A feature added to the window lives in its own frm_main_*.cpp and reaches the private controls
// and handlers as a member.
class frmMain : public QWidget {
  Q_OBJECT

 public:
  explicit frmMain(frmMainServices services = {}, QWidget* parent = nullptr);
  ~frmMain() override;

  // "例のアドレスから作成…" (Ctrl+Shift+V): the address on the clipboard becomes the template.
  void startFromExampleAddress();
  // The command with its caption and shortcut, for menus: adding this action (not a new one with
  // the same shortcut, which would make the key ambiguous) shows the shortcut beside the caption.
  QAction* exampleAddressAction() const { return exampleAddressAction_; }

  // "パターンとしてコピー" (Ctrl+Shift+P): the next run's template as one pattern on the clipboard.
  void copyAsPattern();
  // "パターンから作成…" (Ctrl+Alt+V): a pattern typed or pasted into a dialog becomes the template.
  void startFromPattern();

  // Whether segment A is "https://" rather than "http://": what "https:// で作成" (Ctrl+Shift+H,
  // or a click on lblA) shows checked.
  bool httpsChosen() const;

  // Writes set.ini as the close does, without closing: the session manager's commit request.
  void saveSettings();
  // Closes the window as its close box does, the About dialog first when it is open: the
  // program's end on a termination signal.
  void endSession();

  // Window methods.
  void ListOut();
  // The template ListOut would read now, read the same way (an unreached counter's text is not
  // converted); touches no control, history or message.
  NextRunResult NextRunTemplate() const;
  void OPT();
  void G1();
  void G2();
  void G3();
  void J1();
  void J2();
  void J3();
  void L1();
  void L2();
  void L3();

  // List1's context menu, its items enabled for the list as it stands now; public so tests can
  // trigger the items without a popup.
  std::unique_ptr<QMenu> List1Menu();
  // The window's context menu (a right click anywhere but List1 and the text fields): the
  // commands beyond the buttons, each with its key shown.
  std::unique_ptr<QMenu> WindowMenu();

  // Values handed to and from OPT; the option handlers set them before the call and clear them after.
  QString optCounter;
  int optIndex = 0;
  QString optFrom, optTo;

 public slots:
  // The https choice's handler, run by the action whatever toggles it: lblA's caption, its
  // accessible name and the count follow. Applying an example address or a saved template calls
  // it as the user's click would.
  void chooseHttps(bool on);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // The clipboard's text for a reader of addresses or patterns, or nothing (and the user told)
  // when it is longer than any address.
  std::optional<std::string> clipboardAddressText();
  // Controls, in the order of the layout table; G, J and L live in their counter descriptions.
  // Tests and other code find a control by its object name.
  QLabel* lblA = nullptr;
  QComboBox* cmbB = nullptr;
  QLabel* lblC = nullptr;
  QComboBox* cmbD = nullptr;
  QLabel* lblE = nullptr;
  QLineEdit* txtF = nullptr;
  QLabel* lblH = nullptr;
  QLineEdit* txtI = nullptr;
  QComboBox* cmbK = nullptr;
  QLabel* lblM = nullptr;
  QComboBox* cmbN = nullptr;
  std::array<QLabel*, 3> Label1{};  // indexes 3, 5, 6 of the designer's array, in that order
  QGroupBox* Frame4 = nullptr;
  QPushButton* Check1 = nullptr;
  QPushButton* Check2 = nullptr;
  QCheckBox *CheckC = nullptr, *CheckD = nullptr, *CheckE = nullptr, *CheckF = nullptr, *CheckH = nullptr,
            *CheckI = nullptr, *CheckK = nullptr, *CheckM = nullptr, *CheckN = nullptr;
  QPushButton* cmdListC1 = nullptr;
  QPushButton* cmdListC2 = nullptr;
  QPushButton* cmdListC3 = nullptr;
  QPushButton* cmdR = nullptr;
  QPushButton* cmdClear = nullptr;
  QPushButton* cmdOut = nullptr;
  QPushButton* cmdCrip = nullptr;
  QPushButton* cmdEnd = nullptr;
  QPushButton* cmdHelp = nullptr;
  QLabel* lblCount = nullptr;  // the next run's count and the list's, kept current by updateCount
  VirtualListBox* List1 = nullptr;
  std::array<QWidget*, 4> Line{};  // Line1..Line4
  QLabel* Image1 = nullptr;

  CounterControls counterG_{'G'}, counterJ_{'J'}, counterL_{'L'};
  // The value list of each fill style, shared by the counter combos showing that style.
  std::array<QAbstractItemModel*, 3> valueLists_{};
  // The fourteen segments in address order with their switches and controls; whatever walks the
  // segments iterates this.
  std::array<SegmentControls, kSegments.size()> segments_{};

  // Construction.
  void buildControls();
  void buildSegmentTable();
  void connectHandlers();
  void Form_Load();
  void Form_Unload();

  // Segment switches and links.
  void CheckPlain_Click(QCheckBox* check, QWidget* governed);
  void CheckG_Click();
  void CheckJ_Click();
  void CheckL_Click();
  void Check1_Click();
  void Check2_Click();
  void txtF_Change();

  // Counter inputs.
  void counterKeyPress(int& keyAscii);
  void counterLostFocus(const CounterControls& counter, int index);
  void counterChange(const CounterControls& counter, int index);
  void orderingRule(const CounterControls& counter, int index);
  void optionClick(const CounterControls& counter, int index);
  void fillCounter(const CounterControls& counter, FillStyle style);
  void setCounterEnabled(const CounterControls& counter, bool enabled);
  CounterControls* counterByLetter(const QString& letter);
  void cmbG_Change(int index);
  void cmbJ_Change(int index);
  void cmbL_Change(int index);
  void opt1_Click(int index);
  void opt2_Click(int index);
  void opt3_Click(int index);

  // History lists: host, symbol and extension, each with its delete button, in that order.
  struct HistoryControls {
    QComboBox* combo;
    QPushButton* button;
  };
  std::array<HistoryControls, 3> histories() const;
  // Gives each history combo its list model and connects its handlers.
  void setUpHistories();
  void rememberHistories();
  // Host, symbol and extension entries as set.ini held them, appended to the lists.
  void restoreHistories(std::array<std::vector<std::string>, 3> lists);
  // The entries of each history, in order, for set.ini: the lists themselves, not copies.
  std::array<const std::vector<std::string>*, 3> historyLists() const;
  void updateDeleteButton(QComboBox* combo, QPushButton* button);
  void deleteHistoryEntry(QComboBox* combo, QPushButton* button);

  // Result list commands.
  void cmdR_Click();
  void cmdClear_Click();
  void cmdCrip_Click();
  void cmdEnd_Click();
  void cmdOut_Click();
  void exportList(ExportFormat format);
  void cmdHelp_Click();

  // List1's context menu and its keys.
  void connectList1Menu();
  void copySelectedAddress();
  void openAddress(std::uint64_t row);
  void openSelectedAddress();
  void copyAllUtf8();
  void exportUtf8();
  // Dragging from List1: the selected row, or every row with Ctrl or "ドラッグで全行を渡す".
  void connectList1Drag();
  void List1_DragRequested(bool ctrlHeld);
  // The count label.
  void buildCountLabel();
  void connectCountUpdates();
  void updateCount();

  // Accessible names and descriptions, keyboard shortcuts and focus (after buildControls).
  void nameControls();
  void installKeyboard();

  // A message box with the program's name as its caption, as every message of the window has.
  void inform(const QString& text);
  bool linkOn() const;
  AboutServices aboutServices() const;

  // Segment A's scheme choice.
  void buildHttpsCommand();

  // Starting from an example address.
  void buildExampleAddressCommand(AskTemplate askTemplate);
  void applyTemplateProposal(const TemplateProposal& proposal);
  void applySchemeSwitchesAndLinks(bool https, const SegmentSwitches& on, bool textLink, bool counterLink);
  // The fill styles, the texts, then the from and to texts, of the segments the two lookups give
  // (nullptr: left as it is); a counter following G is never set.
  void applyStylesAndTexts(const std::function<const std::string*(char)>& textOf,
                           const std::function<const CounterSetting*(char)>& counterOf);

  // Saved templates (templates.ini beside set.ini).
  void buildTemplateCommands(AskTemplateName askName, ChooseTemplate choose);
  void saveTemplate();
  void openTemplate();
  SavedTemplate currentTemplate() const;
  void applySavedTemplate(const SavedTemplate& saved);

  // Patterns in and out.
  void buildPatternCommands(AskPatternText askPattern);
  // Applies the pattern, or says what it cannot be and changes nothing; true when applied.
  bool applyPattern(const QString& pattern);

  // The real services the window made for itself; declared before the pointers that may point into them.
  std::unique_ptr<Clipboard> ownClipboard_;
  std::unique_ptr<MessageBox> ownMessages_;
  std::unique_ptr<SaveDialog> ownSaveDialog_;
  std::unique_ptr<ConfigStore> ownConfigStore_;
  std::unique_ptr<ProgramLauncher> ownLauncher_;
  std::unique_ptr<UrlOpener> ownUrlOpener_;
  std::unique_ptr<DragStarter> ownDragStarter_;
  // Resolved once, in the constructor: the injected service or the window's own.
  Clipboard* clipboard_;
  MessageBox* messages_;
  SaveDialog* saveDialog_;
  ConfigStore* configStore_;
  ProgramLauncher* launcher_;
  UrlOpener* urlOpener_;
  DragStarter* dragStarter_;
  std::filesystem::path settingsFile_;
  QString exportDir_;
  std::unique_ptr<ExportState> exportState_;
  AskTemplate askTemplate_;
  QAction* exampleAddressAction_ = nullptr;
  AskPatternText askPattern_;
  QAction* copyPatternAction_ = nullptr;
  QAction* templateFromPatternAction_ = nullptr;
  QAction* httpsAction_ = nullptr;        // actHttps: checked while segment A is "https://"
  QAction* dragAllRowsAction_ = nullptr;  // checkable, in List1's menu; kept while the window lives
  AskTemplateName askTemplateName_;
  ChooseTemplate chooseTemplate_;
  QAction* openTemplateAction_ = nullptr;
  QAction* saveTemplateAction_ = nullptr;
  bool unloaded_ = false;
  bool loading_ = true;              // the constructor's handlers run; the count is written once, at its end
  bool iconRequested_ = false;       // the window icon waits for the first paint
  bool settingsUnreadable_ = false;  // set.ini exists but could not be read: never write it
  std::unique_ptr<HistorySnapshot> settingsAsRead_;  // the histories as set.ini last held them
  QPointer<QDialog> about_;                          // the open About dialog; the window takes no input meanwhile
};

}  // namespace serialix
