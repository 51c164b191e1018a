// Typing in the compare view: key events on the side with the cursor change that document as
// the grid would, the differences follow, and Undo takes the change back.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <algorithm>

#include "DialogTestKit.h"
#include "MainWindowFixture.h"
#include "ModalDriver.h"
#include "core/Document.h"
#include "tools/ByteCompare.h"
#include "ui/main/CompareGrid.h"
#include "ui/main/CompareView.h"
#include "ui/main/DocumentCommands.h"
#include "ui/main/DocumentTabs.h"
#include "widgets/QZNumEdit.h"

using quoxa::Cmd;
using quoxa::TDocument;
using quoxa::test::MainWindowFixture;

namespace {

std::string BytesOf(const TDocument& doc) {
  return {reinterpret_cast<const char*>(doc.DocBuffer), static_cast<size_t>(doc.DocSize)};
}

// Keys: \t Tab (other side), \b Backspace, \x7f Del, \x1b Esc, \x01 Ins, \x1a Ctrl+Z; any other
// character is typed.
void Press(QWidget* grid, const std::string& keys) {
  struct Special {
    char c;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
  };
  static const Special kSpecial[] = {
      {'\t', Qt::Key_Tab, {}},      {'\b', Qt::Key_Backspace, {}},
      {'\x7f', Qt::Key_Delete, {}}, {'\x1b', Qt::Key_Escape, {}},
      {'\x01', Qt::Key_Insert, {}}, {'\x1a', Qt::Key_Z, Qt::ControlModifier},
  };
  for (const char c : keys) {
    const auto special = std::find_if(std::begin(kSpecial), std::end(kSpecial),
                                      [c](const Special& s) { return s.c == c; });
    if (special != std::end(kSpecial)) {
      QTest::keyClick(grid, special->key, special->mods);
    } else {
      QTest::keyClicks(grid, QString(QChar(c)));
    }
    QCoreApplication::processEvents();
  }
}

// 40 bytes after each stretch let the compare realign after an inserted one.
const std::string kTail = "-the bytes after it, the same on both sides-";

}  // namespace

class TestCompareEdit : public QObject {
  Q_OBJECT

 private slots:
  void keysEditTheSideWithTheCursor() {
    struct Case {
      const char* name;
      std::string left, right;
      int side;
      bool text, overwrite, readOnly, block;  // block: bytes 1..4 of the right marked
      int64_t at;                             // place on the line
      std::string keys;
      std::string wantLeft, wantRight;
      const char* status;
      int64_t cursor;
      std::vector<std::string> messages;
    };
    // One row per line of thought, not one field per line.
    // clang-format off
    const std::vector<Case> cases = {
        {"hex digits over a changed byte make the files equal", "ABCD" + kTail, "ABxD" + kTail, 0,
         false, true, false, false, 2, "78", "ABxD" + kTail, "ABxD" + kTail,
         "The files are equal", 3, {}},
        {"one hex digit changes nothing yet", "ABCD", "ABCD", 1, false, true, false,
         false, 1, "4", "ABCD", "ABCD", "The files are equal", 1, {}},
        {"Esc drops the first digit only", "ABCD", "ABCD", 1, false, true, false, false, 1,
         "4\x1b"
         "5a",
         "ABCD", "AZCD", "differences: 1", 2, {}},
        {"a character in the text column, insert mode", "ABCD" + kTail, "ABCD" + kTail, 1, true,
         false, false, false, 2, "z", "ABCD" + kTail, "ABzCD" + kTail, "differences: 1", 3,
         {}},
        {"Tab to the right side, then a hex byte", "ABCD", "ABCD", 0, false, true, false, false, 3,
         "\t"
         "41",
         "ABCD", "ABCA", "difference 1 of 1", 3, {}},
        {"on a gap, overwrite mode: the bytes go in before the side's next byte", "0123" + kTail,
         "01XY23" + kTail, 0, true, true, false, false, 2, "XY", "01XY23" + kTail,
         "01XY23" + kTail, "The files are equal", 4, {}},
        {"on the gap at the end: appended", "0123", "0123ZZ", 0, false, false, false, false, 5,
         "5a", "0123Z", "0123ZZ", "difference 1 of 1", 5, {}},
        {"Ctrl+Z takes an appended byte back", "0123", "0123Z", 0, true, false, false, false, 4,
         "Z\x1a", "0123", "0123Z", "difference 1 of 1", 4, {}},
        {"Del removes the byte only the left has", "01X23" + kTail, "0123" + kTail, 0, false, true,
         false, false, 2, "\x7f", "0123" + kTail, "0123" + kTail, "The files are equal", 2, {}},
        {"Del on a gap does nothing", "0123" + kTail, "01X23" + kTail, 0, false, true, false,
         false, 2, "\x7f", "0123" + kTail, "01X23" + kTail, "difference 1 of 1", 2, {}},
        {"Backspace removes the side's byte before the cursor", "0123", "0x123", 1, false, true,
         false, false, 2, "\b", "0123", "0123", "The files are equal", 1, {}},
        {"Backspace on the first byte does nothing", "0123", "x123", 1, false, true, false, false,
         0, "\b", "0123", "x123", "difference 1 of 1", 0, {}},
        {"Ins switches to insert mode", "ABCD" + kTail, "ABCD" + kTail, 0, true, true, false,
         false, 1, "\x01q", "AqBCD" + kTail, "ABCD" + kTail, "differences: 1", 2, {}},
        {"Ctrl+Z takes the typed byte back, the cursor on it", "ABCD", "ABCD", 1, false, true,
         false, false, 0, "5a\x1a", "ABCD", "ABCD", "The files are equal", 0, {}},
        {"a read-only document is edited as in the grid", "ABCD", "ABCD", 1, true, true, true,
         false, 3, "E", "ABCD", "ABCE", "difference 1 of 1", 3, {}},
        {"an insert into the marked block unmarks it", "ABCD" + kTail, "ABCD" + kTail, 1, true,
         false, false, true, 2, "z", "ABCD" + kTail, "ABzCD" + kTail, "differences: 1", 3,
         {"Block no longer valid"}},
    };
    // clang-format on
    for (const Case& c : cases) {
      MainWindowFixture f;
      f.Load(c.left);
      auto& documents = f.form.Documents();
      QVERIFY(documents.OpenInTab(f.WriteFile("right.bin", c.right), c.readOnly));
      TDocument& left = documents.At(0);
      TDocument& right = documents.At(1);
      if (c.block) {
        right.BlockBegin = 1;
        right.BlockEnd = 4;
      }
      if (quoxa::Doc().TextMode != c.text) f.Trigger(Cmd::TextModeCheck);
      if (quoxa::Doc().OverwriteMode != c.overwrite) f.Trigger(Cmd::OverwriteCheck);
      f.rec.messages.shown.clear();
      quoxa::TCompareView* view = f.form.Compare();
      view->Open(left, right);
      view->Grid()->SetSide(c.side);
      view->Grid()->SetCursor(c.at);
      Press(view->Grid(), c.keys);
      QVERIFY2(view->Active(), c.name);
      QVERIFY2(BytesOf(left) == c.wantLeft, c.name);
      QVERIFY2(BytesOf(right) == c.wantRight, (c.name + (": " + BytesOf(right))).c_str());
      QVERIFY2(f.form.PanelText(3) == c.status, (c.name + (": " + f.form.PanelText(3))).c_str());
      QVERIFY2(view->Grid()->Cursor() == c.cursor,
               (c.name + (": " + std::to_string(view->Grid()->Cursor()))).c_str());
      QVERIFY2(f.rec.messages.Texts() == c.messages, c.name);
      // The side with the cursor is the document Save and Undo act on; a change marks its tab.
      TDocument& edited = view->Grid()->Side() == 0 ? left : right;
      QVERIFY2(&quoxa::Doc() == &edited, c.name);
      const bool changed = BytesOf(edited) != (&edited == &left ? c.left : c.right);
      if (changed) QVERIFY2(edited.Modified, c.name);
      const int tab = &edited == &left ? 0 : 1;
      QVERIFY2(f.form.Tabs()->Bar()->tabText(tab).startsWith('*') == edited.Modified, c.name);
      QVERIFY2(f.Action(Cmd::Save)->isEnabled() == !c.readOnly, c.name);
      QVERIFY2(f.Action(Cmd::Undo)->isEnabled() == changed, c.name);
    }
  }

  // The window's commands act at the compare cursor's byte of its side, the status panels show
  // that byte, and a command that moves the document's cursor moves the compare cursor.
  void commandsActAtTheCompareCursor() {
    using quoxa::test::Child;
    // The next dialog: Go to (a hex address) or Find (a text, from the cursor down).
    const auto goTo = [](QString hex) {
      return [hex](QWidget* d) {
        Child<QRadioButton>(*d, "RadioButtonHex")->click();
        auto* edit = Child<quoxa::TQZNumEdit>(*d, "QZNumEdit1");
        edit->selectAll();
        QTest::keyClicks(edit, hex);
        QTest::keyClick(edit, Qt::Key_Return);
      };
    };
    const auto find = [](QString text) {
      return [text](QWidget* d) {
        Child<QRadioButton>(*d, "RadioButtonText")->click();
        Child<QLineEdit>(*d, "EditFindT")->setText(text);
        Child<QRadioButton>(*d, "rbtDown")->click();
        Child<QRadioButton>(*d, "rbtCursor")->click();
        Child<QPushButton>(*d, "ButtonOK")->click();
      };
    };
    const QKeyCombination kCtrlB(Qt::ControlModifier, Qt::Key_B);
    const QKeyCombination kRight(Qt::Key_Right);
    struct Case {
      const char* name;
      std::string left, right;
      int side;
      int64_t at;  // place on the line
      std::vector<QKeyCombination> keys;
      std::function<void(QWidget*)> dialog;
      std::string wantLeft, wantRight;
      const char *address, *byte;  // status panels 0 and 1
      int64_t cursor;              // -1: the view closed
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"Ctrl+V inserts 2 bytes before the right side's cursor byte", "ABCD" + kTail,
         "ABCD" + kTail, 1, 2, {QKeyCombination(Qt::ControlModifier, Qt::Key_V)}, nullptr,
         "ABCD" + kTail, "ABxyCD" + kTail, "Adr. hex: 2", "Char dec: 120", 2},
        {"Go to an address of the left side puts the compare cursor on its place", "0123" + kTail,
         "01XY23" + kTail, 0, 0, {QKeyCombination(Qt::ControlModifier, Qt::Key_G)}, goTo("2"),
         "0123" + kTail, "01XY23" + kTail, "Adr. hex: 2", "Char dec: 50", 4},
        {"F3 goes to the right side's next hit", "XYfox-fox" + kTail, "fox-fox" + kTail, 1, 0,
         {QKeyCombination(Qt::ControlModifier, Qt::Key_F), QKeyCombination(Qt::Key_F3)},
         find("fox"), "XYfox-fox" + kTail, "fox-fox" + kTail, "Adr. hex: 4", "Char dec: 102", 6},
        {"a block marked in the view and Ctrl+D delete the right side's bytes", "ABCDEF" + kTail,
         "ABCDEF" + kTail, 1, 1, {kCtrlB, kRight, kRight, kCtrlB,
         QKeyCombination(Qt::ControlModifier, Qt::Key_D)}, nullptr, "ABCDEF" + kTail,
         "AEF" + kTail, "Adr. hex: 1", "Char dec: 69", 4},
        {"the right document's tab puts the cursor on the right side, on its cursor's byte",
         "0123" + kTail, "01XY23" + kTail, 0, 4, {QKeyCombination(Qt::Key_Tab),
         QKeyCombination(Qt::Key_Backtab), QKeyCombination(Qt::ControlModifier, Qt::Key_Tab)},
         nullptr, "0123" + kTail, "01XY23" + kTail, "Adr. hex: 4", "Char dec: 50", 4},
        {"Esc leaves the grid's cursor on the byte the compare cursor was on", "0123" + kTail,
         "01XY23" + kTail, 0, 4, {QKeyCombination(Qt::Key_Escape)}, nullptr, "0123" + kTail,
         "01XY23" + kTail, "Adr. hex: 2", "Char dec: 50", -1},
    };
    // clang-format on
    for (const Case& c : cases) {
      MainWindowFixture f;
      f.Load(c.left);
      auto& documents = f.form.Documents();
      QVERIFY(documents.OpenInTab(f.WriteFile("right.bin", c.right), false));
      if (quoxa::Doc().TextMode) f.Trigger(Cmd::TextModeCheck);
      if (quoxa::Doc().OverwriteMode) f.Trigger(Cmd::OverwriteCheck);
      QGuiApplication::clipboard()->setText("xy");
      quoxa::TCompareView* view = f.form.Compare();
      view->Open(documents.At(0), documents.At(1));
      view->Grid()->SetSide(c.side);
      view->Grid()->SetCursor(c.at);
      for (const QKeyCombination key : c.keys) {
        if (c.dialog && key.key() != Qt::Key_F3) quoxa::test::OnNextModal(c.dialog);
        f.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.form));
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
      }
      QVERIFY2(BytesOf(documents.At(0)) == c.wantLeft, c.name);
      QVERIFY2(BytesOf(documents.At(1)) == c.wantRight, c.name);
      const std::string panels = f.form.PanelText(0) + " / " + f.form.PanelText(1);
      QVERIFY2(panels == c.address + std::string(" / ") + c.byte,
               (c.name + (": " + panels)).c_str());
      QVERIFY2(view->Active() == (c.cursor >= 0), c.name);
      if (c.cursor >= 0) QVERIFY2(view->Grid()->Cursor() == c.cursor, c.name);
      if (c.cursor >= 0) QVERIFY2(&quoxa::Doc() == &documents.At(view->Grid()->Side()), c.name);
      QVERIFY2(f.rec.messages.Texts().empty(), c.name);
    }
  }

  // The window laying out its hidden grids anew (a resize) moves neither cursor.
  void aNewGridSizeKeepsTheCursor() {
    MainWindowFixture f;
    f.Load("0123" + kTail + kTail);
    auto& documents = f.form.Documents();
    QVERIFY(documents.OpenInTab(f.WriteFile("right.bin", "01XY23" + kTail + kTail), false));
    quoxa::TCompareView* view = f.form.Compare();
    view->Open(documents.At(0), documents.At(1));
    view->Grid()->SetSide(1);
    view->Grid()->SetCursor(50);
    f.form.SetGridSize(8, 4);
    QCOMPARE(view->Grid()->Cursor(), int64_t{50});
    QCOMPARE(quoxa::CursorAddress(), int64_t{51});
    QCOMPARE(quoxa::Doc().BytesPerRow, 8);
  }

  // Past the size compared under the progress box, a typed or deleted byte is compared again
  // around itself: no box on each key, and the differences of a whole compare.
  void editsInALargeCompareShowNoProgressBox() {
    MainWindowFixture f;
    std::string left((65 << 20) + 1000, '\0');
    for (size_t i = 0; i < left.size(); ++i) left[i] = static_cast<char>((i * 2654435761u) >> 13);
    std::string right = left;
    right[0x100] ^= 1;
    right.insert(40 << 20, "twenty inserted bytes");
    f.Load(left);
    auto& documents = f.form.Documents();
    QVERIFY(documents.OpenInTab(f.WriteFile("right.bin", right), false));
    if (quoxa::Doc().TextMode) f.Trigger(Cmd::TextModeCheck);
    if (!quoxa::Doc().OverwriteMode) f.Trigger(Cmd::OverwriteCheck);
    quoxa::TCompareView* view = f.form.Compare();
    view->Open(documents.At(0), documents.At(1));
    const size_t boxes = f.rec.progress.boxes.size();
    QVERIFY(boxes > 0);
    view->Grid()->SetSide(1);
    // Over the inserted stretch's first byte, then one removed after the changed byte.
    view->Grid()->SetCursor(int64_t{40} << 20);
    Press(view->Grid(), "7a");
    view->Grid()->SetCursor(0x101);
    Press(view->Grid(), "\x7f");
    right[40 << 20] = 'z';
    right.erase(0x101, 1);
    QCOMPARE(BytesOf(documents.At(1)), right);
    QCOMPARE(f.rec.progress.boxes.size(), boxes);
    auto span = [](const std::string& s) {
      return std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    };
    QVERIFY(view->Differences() == quoxa::CompareBytes(span(left), span(right), false));
  }

  // A typed byte is in the difference list at once, and Save writes the side with the cursor
  // and takes its tab's modified mark away.
  void typedEditIsSavedFromTheView() {
    MainWindowFixture f;
    f.Load("ABCD");
    auto& documents = f.form.Documents();
    const std::string rightPath = f.WriteFile("right.bin", "ABCD");
    QVERIFY(documents.OpenInTab(rightPath, false));
    if (quoxa::Doc().TextMode) f.Trigger(Cmd::TextModeCheck);
    if (!quoxa::Doc().OverwriteMode) f.Trigger(Cmd::OverwriteCheck);
    quoxa::TCompareView* view = f.form.Compare();
    view->Open(documents.At(0), documents.At(1));
    // A click on a character puts the cursor there and the window in text mode; one on a hex
    // cell back in hex mode.
    QTest::mouseClick(view->Grid(), Qt::LeftButton, {},
                      view->Grid()->CellRect(1, 1, true).center());
    QVERIFY(quoxa::Doc().TextMode);
    QCOMPARE(view->Grid()->Side(), 1);
    QCOMPARE(view->Grid()->Cursor(), int64_t{1});
    QTest::mouseClick(view->Grid(), Qt::LeftButton, {},
                      view->Grid()->CellRect(1, 2, false).center());
    QVERIFY(!quoxa::Doc().TextMode);
    QVERIFY(!view->Grid()->TextColumn());
    QCOMPARE(QApplication::focusWidget(), view->Grid());
    Press(view->Grid(), "7a");
    QCOMPARE(view->Differences().size(), size_t{1});
    QCOMPARE(view->Differences()[0], (quoxa::DiffRange{2, 2, 1, 1, quoxa::DiffKind::Changed}));
    f.Trigger(Cmd::Save);
    std::ifstream in(rightPath, std::ios::binary);
    QCOMPARE(std::string(std::istreambuf_iterator<char>(in), {}), std::string("ABzD"));
    QVERIFY(!documents.At(1).Modified);
    QCOMPARE(f.form.Tabs()->Bar()->tabText(1), QString("right.bin"));
    QVERIFY(view->Active());
  }
};

QTEST_MAIN(TestCompareEdit)
#include "tst_CompareEdit.moc"
