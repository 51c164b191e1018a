// The program's own file dialog: modes, filters, typed names, sorting, views,
// favourites and the single dialog behind ExecFileDialog.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <filesystem>

#include "Recorders.h"
#include "ScopedEnv.h"
#include "Screenshot.h"
#include "TempDir.h"
#include "settings/IniFile.h"
#include "settings/SettingsPath.h"
#include "widgets/FileDialogs.h"
#include "widgets/FormOSE.h"
#include "widgets/OseDirTree.h"
#include "widgets/OseFileList.h"

using namespace quoxa;

namespace {

template <typename T>
T* Find(QWidget* form, const char* name) {
  T* widget = form->findChild<T*>(name);
  if (widget == nullptr) qFatal("no control %s", name);
  return widget;
}

struct Fixture {
  test::RecorderScope rec;
  test::TempDir dir;
  test::ScopedEnv ini{"QUOXA_INI", dir.File("quoxa.ini")};
  QString data;
  Fixture() {
    dir.Write("data/big.bin", std::string(3000, 'b'));
    dir.Write("data/small.bin", "s");
    dir.Write("data/Middle.txt", std::string(200, 'm'));
    dir.Write("data/notes.TXT", std::string(50, 'n'));
    dir.Write("data/sub/inner.bin", "i");
    std::filesystem::create_directories(dir.File("data/Another"));
    data = QString::fromStdString(dir.File("data"));
    // Distinct times: small oldest, big newest.
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(dir.File("data/small.bin"), now - std::chrono::hours(48));
    std::filesystem::last_write_time(dir.File("data/Middle.txt"), now - std::chrono::hours(24));
    std::filesystem::last_write_time(dir.File("data/notes.TXT"), now - std::chrono::hours(12));
    std::filesystem::last_write_time(dir.File("data/big.bin"), now);
  }
  TFormOSE::Params Params(OseMode mode, const QString& filters = "*.*,*.exe") const {
    TFormOSE::Params p;
    p.mode = mode;
    p.caption = mode == OseMode::Save ? "Save file as" : "Open file";
    p.favoritesSection = "Favorites";
    p.filters = filters;
    return p;
  }
};

}  // namespace

class TestFormOSE : public QObject {
  Q_OBJECT

 private slots:
  void openModeShowsTheFolderAndItsFiles() {
    Fixture f;
    TFormOSE form;
    form.Prepare(f.Params(OseMode::Open), f.data);
    form.show();
    QCOMPARE(form.windowTitle(), QString("Open file"));
    QCOMPARE(form.Directory(), f.data);
    QCOMPARE(Find<QLabel>(&form, "LabelPath")->text(), f.data);
    QCOMPARE(Find<QPushButton>(&form, "ButtonOK")->text(), QString("&Open"));
    QVERIFY(Find<QCheckBox>(&form, "CheckBoxReadOnly")->isVisible());
    QVERIFY(Find<QToolButton>(&form, "ButtonAddFavorite")->isVisible());
    QCOMPARE(form.FileList()->Names(), QStringList({"big.bin", "Middle.txt", "notes.TXT", "small.bin"}));
    QCOMPARE(form.FileList()->CellText(0, FileColumn::Size), QString("3,000"));
    QCOMPARE(form.FileList()->CellText(0, FileColumn::Name), QString("big.bin"));
    QVERIFY(!form.FileList()->CellText(0, FileColumn::Type).isEmpty());
    QVERIFY(form.FileList()->CellText(0, FileColumn::Date).contains(':'));
    auto* filters = Find<QComboBox>(&form, "ComboBoxFilter");
    QCOMPARE(filters->count(), 2);
    QCOMPARE(filters->itemText(1), QString("*.exe"));
    auto* tree = Find<TOseDirTree>(&form, "DirectoryTree");
    QCOMPARE(tree->currentItem()->text(0), QString("data"));
    QCOMPARE(tree->currentItem()->childCount(), 2);
    QCOMPARE(tree->currentItem()->child(0)->text(0), QString("Another"));
    test::SaveShot(&form, "file-dialog-open");
  }

  void saveModeHasNoReadOnlyBoxAndSaveCaption() {
    Fixture f;
    TFormOSE form;
    form.Prepare(f.Params(OseMode::Save, "*.txt"), f.data);
    form.show();
    QCOMPARE(Find<QPushButton>(&form, "ButtonOK")->text(), QString("&Save"));
    QVERIFY(!Find<QCheckBox>(&form, "CheckBoxReadOnly")->isVisible());
    QCOMPARE(form.FileList()->Names(), QStringList({"Middle.txt", "notes.TXT"}));
    test::SaveShot(&form, "file-dialog-save");
  }

  void aTypedPatternFiltersTheListAndKeepsTheDialogOpen() {
    Fixture f;
    TFormOSE form;
    form.Prepare(f.Params(OseMode::Open), f.data);
    form.show();
    auto* edit = Find<QLineEdit>(&form, "EditFileName");
    edit->setText("*.bin");
    form.OkClick();
    QVERIFY(form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QCOMPARE(form.Filter(), QString("*.bin"));
    QCOMPARE(form.FileList()->Names(), QStringList({"big.bin", "small.bin"}));
    edit->setText("sub/*.b?n");
    form.OkClick();
    QCOMPARE(form.Directory(), f.data + "/sub");
    QCOMPARE(form.FileList()->Names(), QStringList{"inner.bin"});
    edit->setText("nowhere/*.bin");
    form.OkClick();
    QCOMPARE(f.rec.messages.Texts(), std::vector<std::string>{"Path not found:\r\n" + f.dir.File("data/sub/nowhere")});
    QCOMPARE(edit->selectedText(), QString("nowhere/*.bin"));
    // The next run starts with the pattern still typed: it is the filter.
    edit->setText("*.txt");
    form.OkClick();
    QString start = f.data;
    form.Finish(QDialog::Rejected, start);
    form.Prepare(f.Params(OseMode::Open), f.data);
    QCOMPARE(form.Filter(), QString("*.txt"));
    QCOMPARE(form.FileList()->Names(), QStringList({"Middle.txt", "notes.TXT"}));
  }

  void overwritingAsksAndNoKeepsTheDialogOpen() {
    Fixture f;
    TFormOSE form;
    form.Prepare(f.Params(OseMode::Save), f.data);
    form.show();
    Find<QLineEdit>(&form, "EditFileName")->setText("big.bin");
    f.rec.messages.answers = {mrNo};
    form.OkClick();
    QVERIFY(form.isVisible());
    QCOMPARE(f.rec.messages.Texts(),
             std::vector<std::string>{"File\n" + f.dir.File("data/big.bin") + "\nalready exists. Overwrite?"});
    f.rec.messages.answers = {mrYes};
    form.OkClick();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.FileName(), f.data + "/big.bin");
  }

  void sortButtonsAndHeaderClicksFlipTheirColumnsDirection() {
    Fixture f;
    TFormOSE form;
    form.Prepare(f.Params(OseMode::Open), f.data);
    auto* bySize = Find<QToolButton>(&form, "ButtonSortSize");
    QCOMPARE(bySize->toolTip(), QString("Sort by size"));
    bySize->click();
    QCOMPARE(form.FileList()->Names(), QStringList({"small.bin", "notes.TXT", "Middle.txt", "big.bin"}));
    bySize->click();
    QCOMPARE(form.FileList()->Names(), QStringList({"big.bin", "Middle.txt", "notes.TXT", "small.bin"}));
    Find<QToolButton>(&form, "ButtonSortTime")->click();  // newest first
    QCOMPARE(form.FileList()->Names(), QStringList({"big.bin", "notes.TXT", "Middle.txt", "small.bin"}));
    Find<QToolButton>(&form, "ButtonSortTime")->click();
    QCOMPARE(form.FileList()->Names().front(), QString("small.bin"));
    Find<QToolButton>(&form, "ButtonSortExt")->click();
    QCOMPARE(form.FileList()->CellText(0, FileColumn::Type).toLower(),
             std::min(form.FileList()->CellText(0, FileColumn::Type).toLower(),
                      form.FileList()->CellText(3, FileColumn::Type).toLower()));
    // A click on the Name header: ascending first.
    QHeaderView* header = form.FileList()->DetailsView()->header();
    form.show();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionPosition(0) + 5, 5));
    QCOMPARE(form.FileList()->Names(), QStringList({"big.bin", "Middle.txt", "notes.TXT", "small.bin"}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionPosition(0) + 5, 5));
    QCOMPARE(form.FileList()->Names(), QStringList({"small.bin", "notes.TXT", "Middle.txt", "big.bin"}));
    // Another folder keeps the order last used.
    form.SetDirectory(f.data + "/sub");
    form.SetDirectory(f.data);
    QCOMPARE(form.FileList()->Names().front(), QString("small.bin"));
  }

  void theFourViewStyles() {
    Fixture f;
    TFormOSE form;
    form.Prepare(f.Params(OseMode::Open), f.data);
    form.show();
    QListView* icons = form.FileList()->IconView();
    Find<QToolButton>(&form, "ButtonLargeIcons")->click();
    QCOMPARE(icons->viewMode(), QListView::IconMode);
    QVERIFY(icons->isVisible());
    test::SaveShot(&form, "file-dialog-large-icons");
    Find<QToolButton>(&form, "ButtonSmallIcons")->click();
    QCOMPARE(icons->viewMode(), QListView::ListMode);
    QCOMPARE(icons->flow(), QListView::LeftToRight);
    test::SaveShot(&form, "file-dialog-small-icons");
    Find<QToolButton>(&form, "ButtonList")->click();
    QCOMPARE(icons->flow(), QListView::TopToBottom);
    QVERIFY(icons->iconSize().width() < 32);
    test::SaveShot(&form, "file-dialog-list");
    Find<QToolButton>(&form, "ButtonDetails")->click();
    QVERIFY(form.FileList()->DetailsView()->isVisible());
    QVERIFY(!icons->isVisible());
  }

  void selectingAndDoubleClickingFiles() {
    Fixture f;
    TFormOSE form;
    form.Prepare(f.Params(OseMode::OpenMany), f.data);
    form.show();
    QTreeView* details = form.FileList()->DetailsView();
    details->selectionModel()->select(details->model()->index(3, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    details->selectionModel()->select(details->model()->index(0, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    auto* edit = Find<QLineEdit>(&form, "EditFileName");
    QCOMPARE(edit->text(), QString("\"big.bin\" \"small.bin\""));
    form.OkClick();
    QCOMPARE(form.Files(), QStringList({f.data + "/big.bin", f.data + "/small.bin"}));
    QCOMPARE(edit->text(), f.data + "/big.bin");

    TFormOSE single;
    single.Prepare(f.Params(OseMode::Open), f.data);
    single.show();
    QTreeView* view = single.FileList()->DetailsView();
    emit view->doubleClicked(view->model()->index(1, 2));
    QCOMPARE(single.result(), int(QDialog::Accepted));
    QCOMPARE(single.FileName(), f.data + "/Middle.txt");
  }

  void theTreeMovesIntoAndOutOfFolders() {
    Fixture f;
    TFormOSE form;
    form.Prepare(f.Params(OseMode::Open), f.data);
    form.show();
    auto* tree = Find<TOseDirTree>(&form, "DirectoryTree");
    tree->setFocus();
    tree->setCurrentItem(tree->currentItem()->child(1));
    QTest::keyClick(tree, Qt::Key_Return);
    QCOMPARE(form.Directory(), f.data + "/sub");
    QVERIFY(form.isVisible());  // Enter in the tree is no OK
    QTest::keyClick(tree, Qt::Key_Backspace);
    QCOMPARE(form.Directory(), f.data);
    Find<QToolButton>(&form, "ButtonUp")->click();
    QCOMPARE(form.Directory(), QString::fromStdString(f.dir.Path()));
  }

  void aFolderThatIsGoneStartsInTheProgramsFolder() {
    Fixture f;
    TFormOSE form;
    form.Prepare(f.Params(OseMode::Open), f.data + "/no/longer/there");
    QCOMPARE(form.Directory(), QString::fromStdString(ExecutableDirectory()));
  }

  void chooseAFolderAndCancel() {
    Fixture f;
    TFormOSE form;
    form.Prepare(f.Params(OseMode::Directory), f.data);
    form.SetDirectory(f.data + "/sub");
    form.OkClick();
    QCOMPARE(form.FileName(), f.data + "/sub");
    QString start = f.data;
    form.Finish(form.result(), start);
    QCOMPARE(start, f.data + "/sub");

    TFormOSE other;
    other.Prepare(f.Params(OseMode::Open), f.data);
    other.CancelClick();
    QCOMPARE(other.result(), int(QDialog::Rejected));
    QString unchanged = f.data;
    other.Finish(other.result(), unchanged);
    QCOMPARE(unchanged, f.data);
    QCOMPARE(other.FileName(), QString());
  }

  void theRememberedFilterIsSelectedWhenOffered() {
    Fixture f;
    TFormOSE form;
    form.Prepare(f.Params(OseMode::Open, "*.*,*.txt"), f.data);
    auto* filters = Find<QComboBox>(&form, "ComboBoxFilter");
    filters->setCurrentIndex(1);
    emit filters->activated(1);
    QCOMPARE(form.FileList()->Names(), QStringList({"Middle.txt", "notes.TXT"}));
    form.Prepare(f.Params(OseMode::Open, "*.bin,*.TXT"), f.data);
    QCOMPARE(filters->currentIndex(), 1);
    form.Prepare(f.Params(OseMode::Open, "*.exe"), f.data);
    QCOMPARE(filters->currentIndex(), 0);
    QCOMPARE(form.Filter(), QString("*.exe"));
  }

  void favouritesAreAddedChosenAndKept() {
    Fixture f;
    f.dir.Write("quoxa.ini", "[Favorites]\n0=/gone/away\n");
    TFormOSE form;
    form.Prepare(f.Params(OseMode::Open), f.data);
    form.SetDirectory(f.data + "/sub");
    Find<QToolButton>(&form, "ButtonAddFavorite")->click();
    form.SetDirectory(f.data);
    Find<QToolButton>(&form, "ButtonAddFavorite")->click();
    // Choosing a folder that no longer exists leaves the dialog where it is and the list as it was.
    f.rec.messages.listAnswers = {{true, 2}, {true, 1}};
    Find<QToolButton>(&form, "ButtonFavorites")->click();
    QCOMPARE(form.Directory(), f.data);
    // A chosen folder moves to the top of the list.
    Find<QToolButton>(&form, "ButtonFavorites")->click();
    QCOMPARE(form.Directory(), f.data + "/sub");
    QCOMPARE(f.rec.messages.lists.size(), size_t{2});
    QCOMPARE(f.rec.messages.lists[0].caption, std::string("Select/delete from favorites"));
    QVERIFY(f.rec.messages.lists[0].withDelete);
    const std::vector<std::string> added{f.dir.File("data"), f.dir.File("data/sub"), "/gone/away"};
    QCOMPARE(f.rec.messages.lists[0].items, added);
    QCOMPARE(f.rec.messages.lists[1].items, added);
    QString start;
    form.Finish(QDialog::Rejected, start);
    const TIniFile ini(f.dir.File("quoxa.ini"));
    QCOMPARE(ini.ReadString("Favorites", "0", ""), f.dir.File("data/sub"));
    QCOMPARE(ini.ReadString("Favorites", "1", ""), f.dir.File("data"));
    QCOMPARE(ini.ReadString("Favorites", "2", ""), std::string("/gone/away"));

    TFormOSE without;
    TFormOSE::Params p = f.Params(OseMode::Open);
    p.favoritesSection.clear();
    without.Prepare(p, f.data);
    without.show();
    QVERIFY(!Find<QToolButton>(&without, "ButtonFavorites")->isVisible());
  }

  void theSizeColumnFitsItsWidestEntry() {
    Fixture f;
    std::filesystem::resize_file(f.dir.Write("data/huge.bin", ""), 314572800);  // sparse: no disk used
    f.dir.Write("quoxa.ini", "[TFormOSE]\nListViewFiles=190,20,140,160\n");
    TFormOSE form;
    form.Prepare(f.Params(OseMode::Open), f.data);
    form.show();
    QTreeView* details = form.FileList()->DetailsView();
    const int row = static_cast<int>(form.FileList()->Names().indexOf("huge.bin"));
    const QString text = form.FileList()->CellText(row, FileColumn::Size);
    QCOMPARE(text.size(), qsizetype(11));  // 314,572,800 with the locale's separators
    QVERIFY(details->columnWidth(1) >= details->fontMetrics().horizontalAdvance(text) + 6);
    // A column wider than its entries keeps the user's width.
    details->setColumnWidth(1, 300);
    form.SetDirectory(f.data + "/sub");
    form.SetDirectory(f.data);
    QCOMPARE(details->columnWidth(1), 300);
  }

  void columnWidthsAreKeptInTheSettingsFile() {
    Fixture f;
    f.dir.Write("quoxa.ini", "[TFormOSE]\nListViewFiles=150,x,77\n");
    {
      TFormOSE form;
      QHeaderView* header = form.FileList()->DetailsView()->header();
      QCOMPARE(header->sectionSize(0), 150);
      header->resizeSection(1, 61);
    }
    const TIniFile ini(f.dir.File("quoxa.ini"));
    QVERIFY(QString::fromStdString(ini.ReadString("TFormOSE", "ListViewFiles", "")).startsWith("150,61,"));
  }

  void execFileDialogRunsTheProgramsOwnDialog() {
    Fixture f;
    QTimer::singleShot(0, [&f] {
      TFormOSE& dialog = ProgramFileDialog();
      QVERIFY(dialog.isVisible());
      QCOMPARE(dialog.windowTitle(), QString("Save file as"));
      dialog.findChild<QLineEdit*>("EditFileName")->setText("out");
      dialog.OkClick();
    });
    FileDialogRequest request;
    request.save = true;
    request.title = "Save file as";
    request.favoritesSection = "Favorites";
    request.filter = "*.qbm";
    request.startDir = f.data.toStdString();
    const FileDialogResult result = ExecFileDialog(nullptr, request);
    QVERIFY(result.ok);
    QCOMPARE(QString::fromStdString(result.path), f.data + "/out.qbm");
    QCOMPARE(QString::fromStdString(result.directory), f.data);
    QVERIFY(!result.readOnly);

    QTimer::singleShot(0, [] {
      TFormOSE& dialog = ProgramFileDialog();
      dialog.findChild<QCheckBox*>("CheckBoxReadOnly")->setChecked(true);
      dialog.findChild<QLineEdit*>("EditFileName")->setText("small.bin");
      dialog.OkClick();
    });
    request.save = false;
    request.title = "Open file";
    request.filter = "*.*,*.exe";
    request.showReadOnly = true;
    const FileDialogResult opened = ExecFileDialog(nullptr, request);
    QVERIFY(opened.ok);
    QCOMPARE(QString::fromStdString(opened.path), f.data + "/small.bin");
    QVERIFY(opened.readOnly);
    delete &ProgramFileDialog();
  }
};

QTEST_MAIN(TestFormOSE)
#include "tst_FormOSE.moc"
