// The Options dialog: what it shows, what OK applies and in which order, and the
// shortcut link page.
#include <QCheckBox>
#include <QComboBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>
#include <filesystem>

#include "FakeSettingsWindow.h"
#include "Recorders.h"
#include "ScopedEnv.h"
#include "Screenshot.h"
#include "TempDir.h"
#include "core/DocState.h"
#include "core/Help.h"
#include "settings/ColorCombo.h"
#include "settings/Options.h"
#include "settings/SettingsPath.h"
#include "ui/main/FormOpt.h"

using namespace quoxa;

class TestFormOpt : public QObject {
  Q_OBJECT

 private:
  template <typename T>
  static T* Find(QWidget* form, const char* name) {
    T* widget = form->findChild<T*>(name);
    if (widget == nullptr) qFatal("no control %s", name);
    return widget;
  }

  struct Fixture {
    test::RecorderScope rec;
    test::TempDir dir;
    test::ScopedEnv data{"XDG_DATA_HOME", dir.File("data")};
    test::FakeSettingsWindow window;
    Fixture() {
      window.fontName = "DejaVu Sans Mono";
      window.fontSize = 10;
      window.recentCount = 7;
      SetPageGeometry(20, 22);
      Options().ColorBlock = 0x808000;  // clTeal
      Options().HideToolBar = true;
      Options().NewEOF = true;
      Options().ByteOrder = 1;
      Doc().BaseAddress = 1;
    }
  };

 private slots:
  void opensWithTheValuesInForce() {
    Fixture f;
    TFormOpt form(f.window);
    QCOMPARE(Find<QComboBox>(&form, "ComboBoxFont")->currentText(), QString("DejaVu Sans Mono"));
    QCOMPARE(Find<QSpinBox>(&form, "SpinEditFontSize")->value(), 10);
    QCOMPARE(Find<QSpinBox>(&form, "SpinEditCols")->value(), 20);
    QCOMPARE(Find<QSpinBox>(&form, "SpinEditRows")->value(), 22);
    QCOMPARE(Find<QSpinBox>(&form, "SpinEditReopen")->value(), 7);
    QCOMPARE(Find<QSpinBox>(&form, "SpinEditReopen")->minimum(), 1);
    QCOMPARE(Find<QSpinBox>(&form, "SpinEditReopen")->maximum(), 9);
    QCOMPARE(Find<QSpinBox>(&form, "SpinEditFontSize")->minimum(), 8);
    QCOMPARE(Find<QSpinBox>(&form, "SpinEditFontSize")->maximum(), 24);
    QCOMPARE(Find<QSpinBox>(&form, "SpinEditCols")->minimum(), 10);
    QCOMPARE(Find<QSpinBox>(&form, "SpinEditCols")->maximum(), f.window.maxCols);
    QCOMPARE(Find<QSpinBox>(&form, "SpinEditRows")->maximum(), f.window.maxRows);
    QVERIFY(Find<QRadioButton>(&form, "RadioButtonMotorola")->isChecked());
    QVERIFY(Find<QRadioButton>(&form, "RadioButtonBase1")->isChecked());
    QVERIFY(Find<QCheckBox>(&form, "CheckBoxHideToolbar")->isChecked());
    QVERIFY(!Find<QCheckBox>(&form, "CheckBoxHideAddress")->isChecked());
    QVERIFY(Find<QCheckBox>(&form, "CheckBoxEOF")->isChecked());
    QVERIFY(!Find<QCheckBox>(&form, "CheckBoxOldTime")->isChecked());
    QVERIFY(!Find<QCheckBox>(&form, "CheckBoxTextLeft")->isChecked());
    QCOMPARE(Find<TColorCombo>(&form, "ComboBoxColor")->currentText(), QString("clTeal"));
    auto* pages = Find<QTabWidget>(&form, "PageControl");
    QCOMPARE(pages->count(), 3);
    QCOMPARE(pages->tabText(0), QString("General"));
    QCOMPARE(pages->tabText(1), QString("Appearance"));
    QCOMPARE(pages->tabText(2), QString("Shortcut Link"));
    QVERIFY(f.window.log.empty());
    form.show();
    for (int page = 0; page < 3; ++page) {
      pages->setCurrentIndex(page);
      QCoreApplication::processEvents();
      test::SaveShot(&form, QString("options-page%1").arg(page));
    }
  }

  void colourListHoldsTheNamedColoursAndTheirValues() {
    Fixture f;
    TFormOpt form(f.window);
    auto* colors = Find<TColorCombo>(&form, "ComboBoxColor");
    QCOMPARE(colors->count(), 18);
    QCOMPARE(colors->itemText(0), QString("clInfoText"));
    QCOMPARE(colors->itemText(11), QString("clRed"));
    QCOMPARE(colors->itemText(17), QString("clWhite"));
    colors->setCurrentIndex(14);  // clBlue
    uint32_t value = 0;
    QVERIFY(colors->SelectedValue(value));
    QCOMPARE(value, 0xFF0000u);
    const QPalette pal;
    QCOMPARE(ColorFromValue(0xFF0000u, pal), QColor(0, 0, 255));
    QCOMPARE(ColorFromValue(0x0000FFu, pal), QColor(255, 0, 0));
    QCOMPARE(ColorFromValue(0x80000017u, pal), pal.color(QPalette::ToolTipText));
    QCOMPARE(ColorFromValue(0x80000018u, pal), pal.color(QPalette::ToolTipBase));
  }

  void colourEntriesAreDrawnAsSwatchAndName() {
    QImage image(120, 20, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintColorEntry(&painter, QRect(0, 0, 120, 20), QColor(0, 0, 255), "clBlue", Qt::white, Qt::black);
    painter.end();
    QCOMPARE(image.pixelColor(0, 10), QColor(Qt::white));       // background
    QCOMPARE(image.pixelColor(1, 10), QColor(Qt::black));       // outline
    QCOMPARE(image.pixelColor(10, 10), QColor(0, 0, 255));      // swatch
    QCOMPARE(image.pixelColor(21, 1), QColor(Qt::white));       // gap before the name
    bool textDrawn = false;
    for (int x = 23; x < 120 && !textDrawn; ++x) {
      for (int y = 0; y < 20 && !textDrawn; ++y) textDrawn = image.pixelColor(x, y) != QColor(Qt::white);
    }
    QVERIFY(textDrawn);
  }

  void defaultsThenCancelChangesNothing() {
    Fixture f;
    const TOptions before = Options();
    {
      TFormOpt form(f.window);
      Find<QCheckBox>(&form, "CheckBoxTextLeft")->setChecked(true);
      QTest::mouseClick(Find<QPushButton>(&form, "ButtonDefaults"), Qt::LeftButton);
      QCOMPARE(Find<QSpinBox>(&form, "SpinEditFontSize")->value(), 8);
      QCOMPARE(Find<QSpinBox>(&form, "SpinEditCols")->value(), 17);
      QCOMPARE(Find<QSpinBox>(&form, "SpinEditRows")->value(), 19);
      QCOMPARE(Find<QSpinBox>(&form, "SpinEditReopen")->value(), 5);
      QCOMPARE(Find<QComboBox>(&form, "ComboBoxFont")->currentText(), QString("Courier New"));
      QVERIFY(!Find<QCheckBox>(&form, "CheckBoxTextLeft")->isChecked());
      QCOMPARE(Find<TColorCombo>(&form, "ComboBoxColor")->currentText(), QString("clRed"));
      // Defaults leave the other controls alone.
      QVERIFY(Find<QCheckBox>(&form, "CheckBoxHideToolbar")->isChecked());
      QVERIFY(Find<QRadioButton>(&form, "RadioButtonBase1")->isChecked());
      QTest::mouseClick(Find<QPushButton>(&form, "ButtonCancel"), Qt::LeftButton);
      QCOMPARE(form.result(), int(QDialog::Rejected));
    }
    QVERIFY(f.window.log.empty());
    QCOMPARE(Options().ColorBlock, before.ColorBlock);
    QCOMPARE(Options().HideToolBar, before.HideToolBar);
    QCOMPARE(Doc().BytesPerRow, 20);
    QCOMPARE(Doc().BaseAddress, 1);
  }

  void defaultsThenOkAppliesInTheDescribedOrder() {
    Fixture f;
    test::RecordingView& view = f.rec.view;
    Doc().ViewReady = true;
    TFormOpt form(f.window);
    QTest::mouseClick(Find<QPushButton>(&form, "ButtonDefaults"), Qt::LeftButton);
    Find<QCheckBox>(&form, "CheckBoxHideAddress")->setChecked(true);
    Find<QCheckBox>(&form, "CheckBoxHideToolbar")->setChecked(false);
    Find<QCheckBox>(&form, "CheckBoxTextLeft")->setChecked(true);
    Find<QCheckBox>(&form, "CheckBoxEOF")->setChecked(false);
    Find<QCheckBox>(&form, "CheckBoxOldTime")->setChecked(true);
    Find<QRadioButton>(&form, "RadioButtonIntel")->setChecked(true);
    Find<QRadioButton>(&form, "RadioButtonBase0")->setChecked(true);
    QTest::mouseClick(Find<QPushButton>(&form, "ButtonOK"), Qt::LeftButton);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    const std::vector<std::string> expected = {
        "ApplyFont Courier New",  "ApplyFontSize 8",       "SetGridSize 17,19",
        "SetAddressColumnHidden 1,1", "SetToolBarHidden 0,1", "PlaceGrids",
        "SetRecentFileCount 5",   "RebuildBookmarkMenu",
    };
    QCOMPARE(f.window.log, expected);
    QCOMPARE(Options().ColorBlock, 0x0000FFu);
    QCOMPARE(view.gridRepaints, 1);
    QVERIFY(view.statusUpdates >= 1);
    QVERIFY(Options().HideAddressRange);
    QVERIFY(!Options().HideToolBar);
    QVERIFY(Options().TextGridLeft);
    QVERIFY(!Options().NewEOF);
    QVERIFY(Options().OldFileTime);
    QCOMPARE(Options().ByteOrder, 0);
    QCOMPARE(Doc().BaseAddress, 0);
    QCOMPARE(Options().Font, std::string("Courier New"));
  }

  void okWithoutChangesOnlyRefreshesTheAddresses() {
    Fixture f;
    TFormOpt form(f.window);
    QTest::mouseClick(Find<QPushButton>(&form, "ButtonOK"), Qt::LeftButton);
    QCOMPARE(f.window.log, (std::vector<std::string>{"RebuildBookmarkMenu", "ShowAllAddressCells"}));
    QCOMPARE(f.rec.view.gridRepaints, 0);
  }

  void aColourWithoutANameKeepsItsValue() {
    Fixture f;
    Options().ColorBlock = 0x123456;
    TFormOpt form(f.window);
    QCOMPARE(Find<TColorCombo>(&form, "ComboBoxColor")->currentIndex(), -1);
    QTest::mouseClick(Find<QPushButton>(&form, "ButtonOK"), Qt::LeftButton);
    QCOMPARE(Options().ColorBlock, 0x123456u);
    QCOMPARE(f.rec.view.gridRepaints, 0);
  }

  void helpShowsTheDialogsTopic() {
    Fixture f;
    std::vector<int> topics;
    InstallHelp([&topics](int topic) { topics.push_back(topic); });
    TFormOpt form(f.window);
    QTest::mouseClick(Find<QPushButton>(&form, "ButtonHelp"), Qt::LeftButton);
    Find<QTabWidget>(&form, "PageControl")->setCurrentIndex(1);
    QTest::keyClick(&form, Qt::Key_F1);
    InstallHelp(nullptr);
    QCOMPARE(topics, (std::vector<int>{17, 43}));
    QVERIFY(f.window.log.empty());
  }

  void theLinkPageCreatesAndRemovesTheDesktopEntry() {
    Fixture f;
    TFormOpt form(f.window);
    QCOMPARE(f.rec.busy.texts, std::vector<std::string>{"Scanning Shortcut Links..."});
    auto* create = Find<QPushButton>(&form, "ButtonCreate");
    auto* remove = Find<QPushButton>(&form, "ButtonRemove");
    QVERIFY(create->isEnabled());
    QVERIFY(!remove->isEnabled());
    f.rec.messages.inputAnswers = {{true, ""}, {true, "Quoxa.Hex"}};
    create->click();
    QCOMPARE(f.rec.messages.Texts(), std::vector<std::string>{"Please enter a name for this link."});
    const std::string link = f.dir.File("data/applications/Quoxa.desktop");
    QVERIFY(std::filesystem::exists(link));
    QVERIFY(test::TempDir::Read(link).find("Exec=" + ExecutablePath() + " %f") != std::string::npos);
    QVERIFY(test::TempDir::Read(link).find("\nIcon=quoxa\n") != std::string::npos);
    // File managers accept it: the freedesktop validator has nothing to say.
    QProcess validate;
    validate.start("desktop-file-validate", {QString::fromStdString(link)});
    QVERIFY2(validate.waitForFinished(), "desktop-file-validate is missing (scripts/setup-deps.sh installs it)");
    QCOMPARE(validate.exitCode(), 0);
    QCOMPARE(validate.readAll(), QByteArray());
    QVERIFY(!create->isEnabled());
    QVERIFY(remove->isEnabled());
    remove->click();
    QVERIFY(!std::filesystem::exists(link));
    QVERIFY(create->isEnabled());
    QVERIFY(!remove->isEnabled());
  }
};

QTEST_MAIN(TestFormOpt)
#include "tst_FormOpt.moc"
