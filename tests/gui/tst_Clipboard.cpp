// The clipboard commands through the main window and the real QClipboard: keys, tool buttons,
// what other programs see, what they put there and the Paste enabling.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest>
#include <cstring>

#include "MainWindowFixture.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/DocState.h"
#include "core/Navigation.h"
#include "edit/X11Selection.h"
#include "ui/main/QZStrGrid.h"

using quoxa::Cmd;
using quoxa::test::MainWindowFixture;

namespace {

QClipboard* Clip() { return QGuiApplication::clipboard(); }

QByteArray PrivateData() { return Clip()->mimeData()->data(QStringLiteral("application/x-qzbinary")); }

void Key(MainWindowFixture& f, Qt::Key key) { QTest::keyClick(f.form.QZStrGridHex(), key, Qt::ControlModifier); }

bool Usable(MainWindowFixture& f, Cmd cmd) { return f.Action(cmd)->isEnabled(); }

}  // namespace

class TestClipboard : public QObject {
  Q_OBJECT

 private slots:
  void init() { Clip()->clear(); }

  void keysButtonsAndOtherProgramsTextGoThroughTheDesktopClipboard() {
    MainWindowFixture f;
    f.Load("xABCyz");
    f.form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    f.form.QZStrGridHex()->setFocus();
    QVERIFY(!Usable(f, Cmd::Paste) && !Usable(f, Cmd::BtnPaste) && !Usable(f, Cmd::PasteHex));

    quoxa::GotoAddress(2, true, false);
    f.Trigger(Cmd::BlockMark);
    quoxa::GotoAddress(4, true, false);
    f.Trigger(Cmd::BlockMark);
    Key(f, Qt::Key_C);
    QCOMPARE(PrivateData(), QByteArray("\x03\0\0\0ABC", 7));
    QVERIFY(!Clip()->mimeData()->hasText());
    QVERIFY(Usable(f, Cmd::Paste) && Usable(f, Cmd::BtnPaste) && !Usable(f, Cmd::PasteHex));

    quoxa::GotoAddress(6, true, false);
    Key(f, Qt::Key_V);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("xABCyABCz"));
    QCOMPARE(quoxa::CursorAddress(), 6);

    Key(f, Qt::Key_H);
    QCOMPARE(Clip()->text(), QString("41 42 43"));
    QVERIFY(Usable(f, Cmd::PasteHex));

    f.Trigger(Cmd::BtnCut);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("xyABCz"));
    QCOMPARE(quoxa::CursorAddress(), 6);
    QVERIFY(!quoxa::BlockMarked());
    // The menu entries stay and say there is no block; the buttons go.
    QVERIFY(Usable(f, Cmd::Copy) && !Usable(f, Cmd::BtnCopy) && !Usable(f, Cmd::BtnCut));
    QCOMPARE(PrivateData(), QByteArray("\x03\0\0\0ABC", 7));

    Clip()->setText(QString::fromUtf8("0a ff"));
    quoxa::GotoAddress(1, true, false);
    f.Trigger(Cmd::PasteHex);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("\x0A\xFFxyABCz"));
    QCOMPARE(quoxa::CursorAddress(), 3);
    f.Trigger(Cmd::BtnPaste);  // text from elsewhere, in the program's code page
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("\x0A\xFF" "0a ffxyABCz"));
    Clip()->setText(QString::fromUtf8("\xC3\xA9\xE2\x82\xAC"));
    Key(f, Qt::Key_V);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("\x0A\xFF\xE9\x80" "0a ffxyABCz"));
    QVERIFY(f.rec.messages.Texts().empty());
    // A character the code page lacks is turned into '?' only when the user says so.
    const std::vector<std::string> question{
        "1 characters have no byte in the code page; insert them as '?'?"};
    Clip()->setText(QString::fromUtf8("x\xC5\x9D"));
    f.rec.messages.answers = {quoxa::mrNo};
    Key(f, Qt::Key_V);
    QCOMPARE(f.rec.messages.Texts(), question);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("\x0A\xFF\xE9\x80"
                                                       "0a ffxyABCz"));
    f.rec.messages.shown.clear();
    f.rec.messages.answers = {quoxa::mrYes};
    Key(f, Qt::Key_V);
    QCOMPARE(f.rec.messages.Texts(), question);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("\x0A\xFFx?\xE9\x80"
                                                       "0a ffxyABCz"));
    Key(f, Qt::Key_Z);
    f.rec.messages.shown.clear();

    Clip()->setText(QString::fromUtf8("0a ff\n"));
    f.Trigger(Cmd::PasteHex);
    QCOMPARE(f.rec.messages.Texts(), std::vector<std::string>{"Clipboard doesn't contain hex string!"});

    // Undo takes back one command at a time.
    Key(f, Qt::Key_Z);
    QCOMPARE(quoxa::test::DocumentBytes(), std::string("\x0A\xFF" "0a ffxyABCz"));
    f.rec.messages.answers = {quoxa::mrNo};  // not saved
    f.Trigger(Cmd::Close);
    QVERIFY(!Usable(f, Cmd::Paste) && !Usable(f, Cmd::PasteHex));
    Clip()->setText("more");
    QVERIFY(!Usable(f, Cmd::Paste) && !Usable(f, Cmd::PasteHex));
  }

  void aBlockOf64MiBRoundTripsByteForByte() {
    MainWindowFixture f;
    std::string bytes(64 << 20, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * 2654435761u) >> 13);
    f.Load(bytes);
    quoxa::RestoreBlock(1, quoxa::Doc().DocSize);
    f.Trigger(Cmd::Copy);
    QCOMPARE(PrivateData().size(), qsizetype{(64 << 20) + 4});
    quoxa::GotoAddress(quoxa::Doc().DocSize, true, false);
    f.Trigger(Cmd::Paste);
    QCOMPARE(quoxa::Doc().DocSize, int64_t{128 << 20});
    const auto* doc = reinterpret_cast<const char*>(quoxa::Doc().DocBuffer);
    QVERIFY(std::memcmp(doc, bytes.data(), bytes.size() - 1) == 0);
    QVERIFY(std::memcmp(doc + bytes.size() - 1, bytes.data(), bytes.size()) == 0);
    QCOMPARE(doc[quoxa::Doc().DocSize - 1], bytes.back());
  }

  // Bytes are taken as sent only from an owner whose text is 8-bit; one with UTF-8 text offers
  // STRING as a lossy rendering of it.
  void anOwnersTextIsEightBitOnlyWithoutAUtf8Target() {
    const struct {
      std::vector<std::string_view> offered;
      std::string_view target;
    } cases[] = {
        {{"TARGETS", "STRING"}, "STRING"},
        {{"TARGETS", "text/plain"}, "text/plain"},
        {{"text/plain", "STRING"}, "STRING"},
        {{"TARGETS", "UTF8_STRING", "STRING", "TEXT"}, ""},
        {{"STRING", "text/plain;charset=utf-8"}, ""},
        {{"text/plain", "text/plain;charset=UTF-8"}, ""},
        {{"TARGETS", "UTF8_STRING"}, ""},
        {{}, ""},
    };
    const auto text = [](std::string_view s) { return QString::fromUtf8(s.data(), s.size()); };
    for (const auto& c : cases) QCOMPARE(text(quoxa::EightBitTargetOf(c.offered)), text(c.target));
  }
};

QTEST_MAIN(TestClipboard)
#include "tst_Clipboard.moc"
