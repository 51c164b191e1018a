#include "script/FormScript.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolBar>
#include <QVBoxLayout>

#include "core/DocState.h"
#include "core/FileIo.h"
#include "core/FileQuestion.h"
#include "core/Help.h"
#include "core/HelpTopics.h"
#include "core/Messages.h"
#include "core/TextFormat.h"
#include "script/ScriptFile.h"
#include "script/ScriptParse.h"
#include "script/ScriptRun.h"
#include "script/ScriptTexts.h"
#include "settings/FormPlacement.h"
#include "settings/Options.h"
#include "settings/SettingsPath.h"
#include "widgets/ToolGlyphs.h"

// Outside the namespace: the resource's initialiser is a global function.
static void InitScriptHelp() { Q_INIT_RESOURCE(scripthelp); }

namespace quoxa {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

const std::vector<const char*>& TFormScript::CommandCaptions() {
  static const std::vector<const char*> captions = {
      "&ADR <dec. or $hex address>",
      "ADR&+ <dec. or $hex count>",
      "ADR&- <dec. or $hex count>",
      "ADREOF (go to end of file)",
      "&CHARCON <QCT file name>",
      "&DEL <dec. or $hex count>",
      "&EXIT (terminate script execution)",
      "&FIND <hex string>",
      "&INSERT <hex string>",
      "&JOKERON <hex char> (for FIND, REPLACE; e.g. 2E)",
      "JO&KEROFF (turn joker char off for FIND, REPLACE)",
      "&MSG <message> (display message)",
      "&OVERWRITE <hex string>",
      "R&EM <remark>",
      "&REPLACE <hex string> BY <hex string>",
      "REPLACEA&LL <hex string> BY <hex string>",
      "&VERIFY <hex string> [OR <hex string>...] (joker: ?\?)",
  };
  return captions;
}

TFormScript::TFormScript(QWidget* parent) : QDialog(parent), memo_(new QPlainTextEdit(this)) {
  static const bool resources = (InitScriptHelp(), true);
  (void)resources;
  setObjectName("FormScript");
  setWindowTitle(msg::kScriptCaption);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  setSizeGripEnabled(true);

  auto* menuBar = new QMenuBar(this);
  BuildMenus(menuBar);
  auto* toolBar = new QToolBar(this);
  toolBar->setObjectName("ToolBar");
  toolBar->setIconSize(QSize(16, 16));
  openButton_ = toolBar->addAction(ToolGlyph("OPEN"), "Open");
  openButton_->setObjectName("QZBtnOpen");
  saveButton_ = toolBar->addAction(ToolGlyph("SAVE"), "Save");
  saveButton_->setObjectName("QZBtnSave");
  connect(openButton_, &QAction::triggered, this, &TFormScript::OpenClick);
  connect(saveButton_, &QAction::triggered, this, &TFormScript::SaveClick);

  memo_->setObjectName("MemoScript");
  QFont font("Courier New", 10);
  font.setStyleHint(QFont::TypeWriter);
  memo_->setFont(font);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // A tab would not separate a command from its parameter; Tab moves on as in any dialog.
  memo_->setTabChangesFocus(true);
  // The failing line stays visible as selected while the error box has the focus.
  QPalette palette = memo_->palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  memo_->setPalette(palette);

  auto* buttons = new QHBoxLayout;
  auto addButton = [&](const char* caption, const char* name) {
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(name);
    // Enter belongs to the editor.
    button->setAutoDefault(false);
    buttons->addWidget(button);
    return button;
  };
  connect(addButton("Syntax Check", "ButtonCheck"), &QPushButton::clicked, this, &TFormScript::SyntaxCheckClick);
  execute_ = addButton("Execute", "ButtonExecute");
  connect(execute_, &QPushButton::clicked, this, &TFormScript::ExecuteClick);
  buttons->addStretch(1);
  connect(addButton("Close", "ButtonClose"), &QPushButton::clicked, this, &TFormScript::reject);
  connect(addButton("&Help", "ButtonHelp"), &QPushButton::clicked, this, [] { ShowHelpTopic(help::kScript); });

  auto* column = new QVBoxLayout(this);
  column->setMenuBar(menuBar);
  column->addWidget(toolBar);
  column->addWidget(memo_, 1);
  column->addLayout(buttons);
  resize(560, 420);

  SetSaveEnabled(false);
  SetScriptLinesQuery([this] { return HasLines(); });
  // An edit makes the editor's text the script.
  connect(memo_->document(), &QTextDocument::contentsChange, this,
          [this](int, int removed, int added) {
            if (!takingText_ && removed + added > 0) fileLines_.reset();
          });
}

TFormScript::~TFormScript() {
  SetScriptLinesQuery(nullptr);
  // A window never shown has no placement of its own to keep, and the settings stay as they are.
  if (shown_) SaveFormPlacement(this);
}

void TFormScript::BuildMenus(QWidget* bar) {
  auto* menuBar = static_cast<QMenuBar*>(bar);
  QMenu* script = menuBar->addMenu("&Script");
  QAction* open = script->addAction("&Open...", QKeySequence("Ctrl+O"), this, &TFormScript::OpenClick);
  open->setObjectName("Open1");
  saveItem_ = script->addAction("&Save", QKeySequence("Ctrl+S"), this, &TFormScript::SaveClick);
  saveItem_->setObjectName("Save1");
  script->addAction("Save &as", this, &TFormScript::SaveAsClick)->setObjectName("Saveas1");
  script->addSeparator();
  script->addAction("E&xit", this, &TFormScript::reject)->setObjectName("Exit1");

  QMenu* insert = menuBar->addMenu("&Insert command");
  insert->setObjectName("InsertCommand");
  for (const char* caption : CommandCaptions()) {
    const QString text = QString::fromUtf8(caption);
    insert->addAction(text, this, [this, text] { InsertCommand(text); });
  }
}

// ---- state

std::vector<std::string> TFormScript::Lines() const {
  if (fileLines_) return *fileLines_;
  // The raw text, because the plain one turns a no-break space into a blank, which would
  // separate a command from its parameter. Lines end where the plain text ends them.
  QString text = memo_->document()->toRawText();
  for (QChar& ch : text) {
    const char16_t code = ch.unicode();
    if (code == QChar::ParagraphSeparator || code == QChar::LineSeparator || code == 0xFDD0 ||
        code == 0xFDD1) {
      ch = u'\n';
    }
  }
  return SplitScriptLines(text.toStdString());
}

bool TFormScript::HasLines() const {
  return fileLines_ ? !fileLines_->empty() : !memo_->document()->isEmpty();
}

void TFormScript::SetExecuteEnabled(bool on) { execute_->setEnabled(on); }

void TFormScript::SetSaveEnabled(bool on) {
  saveButton_->setEnabled(on);
  saveItem_->setEnabled(on);
}

void TFormScript::UpdateCaption() {
  const std::string caption = scriptFileName_.empty()
                                  ? std::string(msg::kScriptCaption)
                                  : std::string(msg::kScriptCaption) + " - " + FileNameOnly(scriptFileName_);
  setWindowTitle(Q(caption));
}

// ---- showing and closing

void TFormScript::showEvent(QShowEvent* event) {
  // Restored once the window has its frame, so that the stored outer size comes back as it was.
  if (!shown_) RestoreFormPlacement(this);
  QDialog::showEvent(event);
  shown_ = true;
  batchResult_ = BatchResult::None;
  memo_->setFocus();
  // Posted, so that the window is on the screen when the run begins.
  if (autoRun_) QMetaObject::invokeMethod(this, &TFormScript::ExecuteClick, Qt::QueuedConnection);
}

void TFormScript::reject() {
  if (!autoRun_ && !SaveQuestion()) return;
  QDialog::reject();
}

void TFormScript::CloseNow() { QDialog::done(QDialog::Accepted); }

// ---- Execute and Syntax Check

void TFormScript::ExecuteClick() {
  if (!execute_->isEnabled()) return;
  // The file's lines are run where they are, a million of them without a copy.
  const std::vector<std::string> edited = fileLines_ ? std::vector<std::string>() : Lines();
  const ScriptOutcome outcome = ExecuteScript(interpreter_, fileLines_ ? *fileLines_ : edited);
  if (!outcome.ran) {
    // Nothing to run: an unattended batch run ends, the file untouched.
    if (BatchMode && unattended_) {
      batchResult_ = BatchResult::None;
      CloseNow();
    }
    return;
  }
  if (BatchMode) ReportLinesWithoutEffect(outcome);
  if (!outcome.ok) {
    // The user of a failed batch run sees the script, its failing line selected.
    if (BatchMode && !unattended_) {
      ShowFileLines();
      // Whoever started the run learns of the error from standard error too, not only the user.
      WriteMessageToStderr({outcome.error, MsgType::Error});
    }
    SelectErrorLine(outcome.errorLine);
    ShowError(outcome.error);
    if (BatchMode) {
      batchResult_ = BatchResult::Failed;
      if (unattended_) CloseNow();
    }
    return;
  }
  if (BatchMode) {
    // A document that could not be written stays open, modified, rather than being lost.
    if (!SaveAfterBatchRun()) {
      batchResult_ = BatchResult::Failed;
    } else {
      batchResult_ =
          outcome.withoutEffect.empty() ? BatchResult::Saved : BatchResult::SavedIncomplete;
    }
    if (batchResult_ != BatchResult::Failed || unattended_) CloseNow();
    return;
  }
  if (autoRun_) {
    QMetaObject::invokeMethod(this, &TFormScript::CloseNow, Qt::QueuedConnection);
    return;
  }
  ShowInfo(msg::kScriptExecuted);
}

void TFormScript::SyntaxCheckClick() {
  const std::vector<std::string> edited = fileLines_ ? std::vector<std::string>() : Lines();
  const ScriptOutcome outcome = SyntaxCheckScript(interpreter_, fileLines_ ? *fileLines_ : edited);
  if (!outcome.ran) return;
  if (!outcome.ok) {
    SelectErrorLine(outcome.errorLine);
    ShowError(outcome.error);
    return;
  }
  ShowPlainMessage(msg::kScriptSyntaxOk);
}

void TFormScript::SelectErrorLine(int line) {
  const QTextBlock block = memo_->document()->findBlockByNumber(line);
  if (!block.isValid()) return;
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  memo_->setTextCursor(cursor);
  memo_->setFocus();
}

// ---- files

FileDialogResult TFormScript::AskFile(const FileDialogRequest& request) {
  if (fileQuestion_) return fileQuestion_(request);
  return ExecFileDialog(this, request);
}

bool TFormScript::SaveQuestion() {
  if (!memo_->document()->isModified()) return true;
  const std::string question = scriptFileName_.empty()
                                   ? std::string(msg::kScriptModifiedUnnamed)
                                   : FillPlaceholders(msg::kScriptModifiedNamed, {FileNameOnly(scriptFileName_)});
  switch (AskYesNoCancel(question)) {
    case mrYes:
      if (scriptFileName_.empty()) {
        SaveAsClick();
      } else {
        SaveClick();
      }
      return !memo_->document()->isModified();
    case mrNo: return true;
    default: return false;
  }
}

void TFormScript::OpenClick() {
  if (!SaveQuestion()) return;
  FileDialogRequest request;
  request.title = msg::kScriptLoadTitle;
  request.favoritesSection = kFavorites;
  request.filter = msg::kScriptFilter;
  request.startDir = MakeProgramDirectory();
  // A script is only read: the dialog offers no read-only choice for it.
  request.showReadOnly = false;
  const FileDialogResult chosen = AskFile(request);
  if (chosen.ok) LoadScript(chosen.path);
}

bool TFormScript::ReadLines(const std::string& path, std::vector<std::string>& lines) {
  if (ReadScriptFile(path, lines)) return true;
  scriptFileName_.clear();
  UpdateCaption();
  SetSaveEnabled(false);
  ShowError(FillPlaceholders(msg::kScriptReadError, {path}));
  return false;
}

void TFormScript::TakeScript(const std::string& path, std::vector<std::string> lines,
                             bool inEditor) {
  takingText_ = true;
  if (inEditor) {
    QStringList text;
    for (const std::string& line : lines) text << Q(line);
    memo_->setPlainText(text.join('\n'));
  } else {
    memo_->clear();
  }
  takingText_ = false;
  memo_->setReadOnly(!inEditor);
  if (inEditor) memo_->setPlaceholderText({});
  memo_->document()->setModified(false);
  fileLines_ = std::move(lines);
  scriptFileName_ = path;
  UpdateCaption();
  SetSaveEnabled(true);
}

bool TFormScript::LoadScript(const std::string& path) {
  std::vector<std::string> lines;
  if (!ReadLines(path, lines)) return false;
  if (const int line = FirstLineLongerThan(lines, kMaxEditorLine); line >= 0) {
    scriptFileName_.clear();
    UpdateCaption();
    SetSaveEnabled(false);
    ShowError(FillPlaceholders(msg::kScriptReadError, {path}) + "\n\n" +
              FormatMsgN(FormatMsgD(msg::kScriptLineTooLong, line + 1), kMaxEditorLine));
    return false;
  }
  TakeScript(path, std::move(lines), true);
  return true;
}

bool TFormScript::LoadBatchScript(const std::string& path) {
  std::vector<std::string> lines;
  if (!ReadLines(path, lines)) return false;
  TakeScript(path, std::move(lines), false);
  return true;
}

void TFormScript::ShowFileLines() {
  if (!fileLines_ || !memo_->document()->isEmpty()) return;
  if (const int tooLong = FirstLineLongerThan(*fileLines_, kMaxEditorLine); tooLong >= 0) {
    memo_->setPlaceholderText(
        Q(FormatMsgN(FormatMsgD(msg::kScriptNotShown, tooLong + 1), kMaxEditorLine)));
    return;
  }
  std::vector<std::string> lines = std::move(*fileLines_);
  TakeScript(scriptFileName_, std::move(lines), true);
}

bool TFormScript::SaveClick() {
  if (scriptFileName_.empty()) return SaveAsClick();
  const int result = WriteScriptFile(scriptFileName_, Lines());
  if (result != 0) {
    ShowError(WriteErrorText(result, scriptFileName_));
    return false;
  }
  memo_->document()->setModified(false);
  return true;
}

bool TFormScript::SaveAsClick() {
  FileDialogRequest request;
  request.save = true;
  request.title = msg::kScriptSaveTitle;
  request.favoritesSection = kFavorites;
  request.filter = msg::kScriptFilter;
  request.startDir = Options().CurrentDir;
  const FileDialogResult chosen = AskFile(request);
  if (!chosen.ok) return false;
  if (!chosen.directory.empty()) Options().CurrentDir = chosen.directory;
  scriptFileName_ = chosen.path;
  UpdateCaption();
  const bool saved = SaveClick();
  SetSaveEnabled(true);
  return saved;
}

// ---- Insert command

void TFormScript::InsertCommand(const QString& caption) {
  const QString line = Q(TemplateFromCaption(caption.toStdString()));
  QTextCursor cursor = memo_->textCursor();
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  const int number = cursor.blockNumber();
  const QTextBlock block = cursor.block();
  cursor.setPosition(block.position());
  const bool lineOfText = static_cast<size_t>(number) < Lines().size();
  if (lineOfText && BlankScriptLine(block.text().toStdString())) {
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(line);
  } else {
    // Above a line that holds something; behind the last line as a new last line.
    cursor.insertText(line + '\n');
  }
  cursor.endEditBlock();
  const QTextBlock inserted = memo_->document()->findBlockByNumber(number);
  const int blank = line.indexOf(' ');
  QTextCursor placed(inserted);
  placed.setPosition(inserted.position() + (blank < 0 ? static_cast<int>(line.size()) : blank + 1));
  placed.setPosition(inserted.position() + static_cast<int>(line.size()), QTextCursor::KeepAnchor);
  memo_->setTextCursor(placed);
  memo_->setFocus();
}

}  // namespace quoxa
