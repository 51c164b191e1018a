// Cut, Copy, Paste and the hex string commands against a clipboard in memory: the bytes on the
// clipboard, the document, the cursor, the block and every message.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FakeClipboard.h"
#include "Recorders.h"
#include "TestDocument.h"
#include "core/Block.h"
#include "core/Commands.h"
#include "core/DocState.h"
#include "core/Navigation.h"
#include "edit/ClipboardCommands.h"
#include "edit/ClipboardFormat.h"
#include "widgets/HexString.h"

namespace quoxa {
namespace {

using Texts = std::vector<std::string>;

const std::string kNotHex = "Clipboard doesn't contain hex string!";

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kSanitized = false;
#endif

// In a child process whose address space may grow by room bytes at most: exits 0 when done
// says so (a failed allocation shows in the messages, or ends the child).
void ExitsWithinRoom(int64_t room, const std::function<bool()>& done) {
  long long size = 0;
  FILE* status = std::fopen("/proc/self/status", "r");
  char line[256];
  while (status != nullptr && std::fgets(line, sizeof line, status) != nullptr) {
    if (std::sscanf(line, "VmSize: %lld kB", &size) == 1) break;
  }
  if (status != nullptr) std::fclose(status);
  const auto limit = static_cast<rlim_t>(size * 1024 + room);
  const rlimit space{limit, limit};
  if (size == 0 || setrlimit(RLIMIT_AS, &space) != 0) _exit(2);
  _exit(done() ? 0 : 1);
}

class Clipboard : public ::testing::Test {
 protected:
  // bytes shown, the cursor on pos, the block begin..end (0, 0: none).
  void Load(const std::string& bytes, int64_t pos = 1, int64_t begin = 0, int64_t end = 0) {
    test::LoadDocument(bytes, 4, 2);
    GotoAddress(pos, true, false);
    RestoreBlock(begin, end);
    rec.messages.shown.clear();
    rec.busy.texts.clear();
  }
  std::string Private() const { return clip.contents.count(ClipFormat::Private) ? clip.contents.at(ClipFormat::Private) : "-"; }
  std::string Text() const { return clip.contents.count(ClipFormat::Text) ? clip.contents.at(ClipFormat::Text) : "-"; }

  test::RecorderScope rec;
  test::FakeClipboard clip;
};

TEST(ClipboardFormat, PrivateDataIsTheLittleEndianLengthThenTheBytes) {
  const std::string abc = "ABC";
  EXPECT_EQ(EncodePrivate(reinterpret_cast<const uint8_t*>(abc.data()), 3), std::string("\x03\0\0\0ABC", 7));
  const std::string big(0x010203, 'x');
  EXPECT_EQ(EncodePrivate(reinterpret_cast<const uint8_t*>(big.data()), big.size()).substr(0, 4),
            std::string("\x03\x02\x01\0", 4));
  const struct {
    std::string data;
    bool ok;
    std::string bytes;
  } cases[] = {
      {std::string("\x03\0\0\0ABC", 7), true, "ABC"},
      {std::string("\x02\0\0\0ABC", 7), true, "AB"},  // the header decides, not the size
      {std::string("\0\0\0\0", 4), true, ""},
      {std::string("\x04\0\0\0ABC", 7), false, ""},   // claims more than there is
      {std::string("\0\0\0\x80" "ABC", 7), false, ""},
      {std::string("\x03\0\0", 3), false, ""},
  };
  for (const auto& c : cases) {
    std::string data = c.data;
    EXPECT_EQ(DecodePrivate(data), c.ok) << testing::PrintToString(c.data);
    if (c.ok) {
      EXPECT_EQ(data, c.bytes);
    }
  }
}

TEST(ClipboardFormat, HexTriplesMatchTheDigitPairsOfEveryByteAtEveryLength) {
  std::string all = test::Ramp(256);
  for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<char>(all[i] * 7);  // neighbours differ
  for (size_t length : {size_t{1}, size_t{15}, size_t{16}, size_t{17}, size_t{33}, size_t{256}}) {
    const std::string bytes = all.substr(256 - length);
    std::string naive;
    for (char b : bytes) naive += HexByte(static_cast<uint8_t>(b)) + " ";
    naive.pop_back();
    EXPECT_EQ(BytesToHexString(bytes, true), naive);
    std::string back;
    ASSERT_TRUE(ParseSeparatedHex(naive, back)) << length;
    EXPECT_EQ(back, bytes);
    for (char& c : naive) c = static_cast<char>(std::tolower(c));
    ASSERT_TRUE(ParseSeparatedHex(naive, back)) << length;
    EXPECT_EQ(back, bytes);
  }
}

TEST_F(Clipboard, CopyPutsTheBlockInThePrivateFormatAndPasteInsertsItBeforeTheCursor) {
  Load("xABCyz", 6, 2, 4);
  RunClipboardCommand(Cmd::Copy);
  EXPECT_EQ(Private(), std::string("\x03\0\0\0ABC", 7));
  EXPECT_EQ(Text(), "-");  // other programs see no text
  EXPECT_EQ(test::DocumentBytes(), "xABCyz");
  EXPECT_TRUE(BlockMarked());
  EXPECT_FALSE(Doc().Modified);
  RunClipboardCommand(Cmd::Paste);
  EXPECT_EQ(test::DocumentBytes(), "xABCyABCz");
  EXPECT_EQ(CursorAddress(), 6);  // on the first inserted byte
  EXPECT_TRUE(Doc().Modified);
  EXPECT_EQ(Doc().BlockBegin, 2);  // before the insertion: still valid
  EXPECT_EQ(rec.messages.Texts(), Texts{});
  EXPECT_EQ(rec.busy.texts, (Texts{"Copy data to clipboard", "", "Paste data from clipboard"}));
}

TEST_F(Clipboard, CutDeletesTheBlockKeepsTheCursorWithinTheDocumentAndUnmarks) {
  const struct {
    int64_t pos, begin, end;
    std::string left;
    int64_t cursor;
  } cases[] = {
      {2, 4, 6, "ABCGH", 2},   // in front of the block
      {8, 4, 6, "ABCGH", 5},   // behind it, clamped to the shorter document
      {5, 4, 6, "ABCGH", 5},   // inside it
      {3, 1, 8, "", 1},        // the whole document
  };
  for (const auto& c : cases) {
    Load("ABCDEFGH", c.pos, c.begin, c.end);
    RunClipboardCommand(Cmd::BtnCut);
    EXPECT_EQ(test::DocumentBytes(), c.left) << c.begin;
    EXPECT_EQ(CursorAddress(), c.cursor) << c.begin;
    EXPECT_FALSE(BlockMarked()) << c.begin;
    EXPECT_FALSE(Commands().Enabled(Cmd::BtnCut)) << c.begin;
    EXPECT_TRUE(Doc().Modified) << c.begin;
    EXPECT_EQ(DecodePrivate(clip.contents[ClipFormat::Private]), true);
    EXPECT_EQ(clip.contents[ClipFormat::Private], std::string("ABCDEFGH").substr(c.begin - 1, c.end - c.begin + 1));
    EXPECT_EQ(rec.messages.Texts(), Texts{});
  }
}

TEST_F(Clipboard, CommandsWithoutABlockOrARefusingClipboardChangeNothing) {
  for (Cmd cmd : {Cmd::Cut, Cmd::Copy, Cmd::BtnCut, Cmd::BtnCopy, Cmd::CopyHex}) {
    Load("ABCD", 2);
    Doc().BlockBegin = 2;  // one Block mark is not a block
    RunClipboardCommand(cmd);
    EXPECT_EQ(rec.messages.Texts(), Texts{"No block marked"}) << static_cast<int>(cmd);
    EXPECT_TRUE(clip.contents.empty());
  }
  clip.refuse = true;
  for (Cmd cmd : {Cmd::Cut, Cmd::Copy, Cmd::CopyHex}) {
    Load("ABCD", 4, 1, 2);
    RunClipboardCommand(cmd);
    EXPECT_EQ(rec.messages.Texts(), Texts{"Can't copy data to clipboard"}) << static_cast<int>(cmd);
    EXPECT_EQ(test::DocumentBytes(), "ABCD");  // a failed cut deletes nothing
    EXPECT_TRUE(BlockMarked());
  }
}

TEST_F(Clipboard, PasteTakesThePrivateFormatFirstElseTheTextInTheCodePageUpToItsZero) {
  const std::string noByte = "1 characters have no byte in the code page; insert them as '?'?";
  const std::string cjk = "\xE4\xB8\x80";  // a character Windows-1252 has no byte for
  std::string cjks;
  for (int i = 0; i < 1234; ++i) cjks += cjk;
  const struct {
    std::map<ClipFormat, std::string> contents;
    int answer;  // to the question, when one is asked
    std::string question;
    std::string doc;
  } cases[] = {
      {{{ClipFormat::Private, std::string("\x02\0\0\0\0\xFFrest", 10)}, {ClipFormat::Text, "text"}},
       mrYes,
       "",
       std::string("[\0\xFF]", 4)},
      // 8-bit text goes in as the bytes it is, also where they are no UTF-8 ...
      {{{ClipFormat::Text, "Q\x80\x81\xFE\xFFR"}}, mrNo, "", "[Q\x80\x81\xFE\xFFR]"},
      {{{ClipFormat::Text, "\xC3\xA9"}, {ClipFormat::Unicode, "\xC3\xA9"}}, mrNo, "", "[\xC3\xA9]"},
      {{{ClipFormat::Text, std::string("ab\0cd", 5)}}, mrNo, "", "[ab]"},
      // ... Unicode text only as characters of the code page, and none replaced unasked.
      {{{ClipFormat::Unicode, "A\xC3\xA9\xE2\x82\xAC"}}, mrNo, "", "[A\xE9\x80]"},  // é €
      {{{ClipFormat::Unicode, "A\xC3\xA9" + cjk}}, mrYes, noByte, "[A\xE9?]"},
      {{{ClipFormat::Unicode, "A\xC3\xA9" + cjk}}, mrNo, noByte, "[]"},
      {{{ClipFormat::Unicode, "Q\xC2\x80\xFE\xFFR"}},
       mrYes,  // U+0080 and two broken sequences
       "3 characters have no byte in the code page; insert them as '?'?",
       "[Q???R]"},
      {{{ClipFormat::Unicode, cjks + std::string("\0", 1) + cjk}},
       mrYes,
       "1,234 characters have no byte in the code page; insert them as '?'?",
       "[" + std::string(1234, '?') + "]"},
      {{{ClipFormat::Unicode, std::string("ab\0cd", 5)}}, mrNo, "", "[ab]"},
      {{{ClipFormat::Text, ""}}, mrNo, "", "[]"},
      {{{ClipFormat::Private, std::string("\x09\0\0\0AB", 6)}, {ClipFormat::Text, "text"}},
       mrNo,
       "",
       "[]"},
      {{}, mrNo, "", "[]"},
  };
  for (const auto& c : cases) {
    Load("[]", 2);
    clip.Put(c.contents);
    rec.messages.answers = {c.answer};
    RunClipboardCommand(Cmd::BtnPaste);
    EXPECT_EQ(test::DocumentBytes(), c.doc);
    EXPECT_EQ(CursorAddress(), 2);
    EXPECT_EQ(Doc().Modified, c.doc != "[]");
    EXPECT_EQ(rec.messages.Texts(), c.question.empty() ? Texts{} : Texts{c.question}) << c.doc;
  }
}

TEST_F(Clipboard, PasteFromHexStringTakesOnlyTheExactSeparatedForm) {
  const struct {
    std::string text;
    std::string doc;  // empty: refused
  } cases[] = {
      {"0a ff", std::string("[\x0A\xFF]")}, {"41 42 43", "[ABC]"}, {"0AFF", ""},     {"0A  FF", ""},
      {"0", ""},                            {"", ""},              {"0A FF\n", ""}, {"0A FF ", ""},
      {" 0A FF", ""},                       {"41424", ""},         {"4G", ""},      {"0A\xC2\xA0" "FF", ""},
  };
  for (const auto& c : cases) {
    Load("[]", 2);
    clip.PutText(c.text);
    RunClipboardCommand(Cmd::PasteHex);
    EXPECT_EQ(test::DocumentBytes(), c.doc.empty() ? "[]" : c.doc) << c.text;
    EXPECT_EQ(rec.messages.Texts(), c.doc.empty() ? Texts{kNotHex} : Texts{}) << c.text;
    if (!c.doc.empty()) {
      EXPECT_EQ(CursorAddress(), static_cast<int64_t>(c.doc.size())) << c.text;
    }
  }
  Load("[]", 2);
  clip.Put({{ClipFormat::Private, std::string("\x01\0\0\0A", 5)}});
  RunClipboardCommand(Cmd::PasteHex);
  EXPECT_EQ(rec.messages.Texts(), Texts{kNotHex});
}

TEST_F(Clipboard, AnInsertionReachingTheBlockInvalidatesItAndNoMemoryIsReported) {
  Load("ABCDEF", 3, 2, 4);
  clip.PutText("xy");
  RunClipboardCommand(Cmd::Paste);
  EXPECT_EQ(rec.messages.Texts(), Texts{"Block no longer valid"});
  EXPECT_FALSE(BlockMarked());
  Load("ABCDEF", 3, 2, 4);
  clip.PutText("78 79");
  RunClipboardCommand(Cmd::PasteHex);
  EXPECT_EQ(rec.messages.Texts(), Texts{"Block no longer valid"});  // the block ends behind pos, not the cursor

  const std::string big(700000, 'q');
  for (const auto& [cmd, text] : {std::pair{Cmd::Paste, big}, std::pair{Cmd::PasteHex, BytesToHexString(big, true)}}) {
    Load("ABCDEF", 3);
    clip.PutText(text);
    test::AllocationLimit limit(600000);
    RunClipboardCommand(cmd);
    EXPECT_EQ(test::DocumentBytes(), "ABCDEF");
    EXPECT_EQ(rec.messages.Texts(), Texts{cmd == Cmd::Paste ? "Not enough memory allocated\nfor this operation"
                                                            : "Can't allocate additional memory\nto perform operation"});
  }
}

// Copy keeps one copy of the block (the clipboard's), Paste one (the undo record's) beside the
// document's growth, and the question at exit none: each works where memory holds no more.
TEST_F(Clipboard, ALargeBlockGoesToAndFromTheClipboardWithoutCopiesOfItsOwn) {
  if (kSanitized) GTEST_SKIP() << "a sanitized run's address space says nothing of its memory";
  constexpr int64_t kBlock = int64_t{64} << 20;
  const std::string emptyQuestion =
      "Clipboard contains more than 512 bytes data.\nEmpty clipboard now?";
  Load(std::string(kBlock, 'x'), kBlock, 1, kBlock);
  EXPECT_EXIT(ExitsWithinRoom(kBlock * 3 / 2,
                              [&] {
                                RunClipboardCommand(Cmd::Copy);
                                return rec.messages.Texts().empty() &&
                                       clip.contents.at(ClipFormat::Private).size() == kBlock + 4;
                              }),
              testing::ExitedWithCode(0), "");
  Load(std::string(kBlock, 'x'), kBlock);
  clip.Put({{ClipFormat::Private, EncodePrivate(Doc().DocBuffer, kBlock)}});
  clip.owned = true;
  EXPECT_EXIT(ExitsWithinRoom(kBlock * 5 / 2,
                              [&] {
                                RunClipboardCommand(Cmd::Paste);
                                return rec.messages.Texts().empty() && Doc().DocSize == 2 * kBlock;
                              }),
              testing::ExitedWithCode(0), "");
  EXPECT_EXIT(ExitsWithinRoom(kBlock / 4,
                              [&] {
                                OfferToEmptyClipboard();
                                return rec.messages.Texts() == Texts{emptyQuestion};
                              }),
              testing::ExitedWithCode(0), "");
}

TEST_F(Clipboard, CopyAsHexStringAsksAbove32768CharactersAndRunsUnderAProgressBox) {
  const std::string question = "Copy more than 32,768 bytes text\n to clipboard?";
  const struct {
    int64_t length;
    int answer;
    bool asks, copied;
  } cases[] = {
      {10923, mrNo, false, true},  // 32,768 characters
      {10924, mrNo, true, false},
      {10924, mrYes, true, true},
      {1, mrNo, false, true},
  };
  for (const auto& c : cases) {
    const std::string bytes = test::Ramp(c.length + 2);
    Load(bytes, 1, 2, c.length + 1);
    clip.Put({{ClipFormat::Text, "before"}});
    rec.messages.answers = {c.answer};
    RunClipboardCommand(Cmd::CopyHex);
    EXPECT_EQ(rec.messages.Texts(), c.asks ? Texts{question} : Texts{}) << c.length;
    EXPECT_EQ(Text(), c.copied ? BytesToHexString(bytes.substr(1, c.length), true) : "before") << c.length;
    if (c.copied) {
      EXPECT_EQ(Text().size(), 3u * c.length - 1);
    }
    rec.messages.answers.clear();
  }
  const test::RecordedProgress& box = *rec.progress.boxes.back();
  EXPECT_EQ(box.setup.caption, "Copy data to clipboard");
  EXPECT_EQ(box.setup.text, "Current file position");
  EXPECT_TRUE(box.setup.withCancel && box.setup.gauge && box.closed);
  EXPECT_EQ(box.gauge.back(), 100);
}

TEST_F(Clipboard, ACancelledCopyAsHexStringLeavesTheClipboardAsItWas) {
  Load(test::Ramp(200000), 1, 1, 200000);
  clip.Put({{ClipFormat::Text, "before"}});
  rec.progress.abortAfterUpdates = 2;
  rec.messages.answers = {mrYes};
  RunClipboardCommand(Cmd::CopyHex);
  EXPECT_EQ(Text(), "before");
  EXPECT_FALSE(clip.owned);
  ASSERT_EQ(rec.progress.boxes.size(), 1u);
  EXPECT_LT(rec.progress.boxes[0]->gauge.back(), 100);
  EXPECT_TRUE(rec.progress.boxes[0]->closed);
}

TEST_F(Clipboard, WithoutAClipboardItsCommandsStayOffForGood) {
  RegisterClipboardFormat();
  EXPECT_EQ(rec.messages.Texts(), Texts{});
  clip.available = false;
  RegisterClipboardFormat();
  EXPECT_EQ(rec.messages.Texts(), Texts{"Can't register clipboard format QZBINARY"});
  const std::vector<Cmd> all = {Cmd::Clipboard, Cmd::Cut,    Cmd::Copy,    Cmd::Paste,   Cmd::CopyHex,
                                Cmd::PasteHex,  Cmd::BtnCut, Cmd::BtnCopy, Cmd::BtnPaste};
  SetCommandsEnabled(all, true);
  clip.PutText("x");
  for (Cmd cmd : all) EXPECT_FALSE(Commands().Enabled(cmd)) << static_cast<int>(cmd);
  EXPECT_TRUE(Commands().Enabled(Cmd::BlockDelete));
}

TEST_F(Clipboard, AtExitMoreThan512BytesOfOurOwnAreOfferedToBeEmptied) {
  const std::string question = "Clipboard contains more than 512 bytes data.\nEmpty clipboard now?";
  const struct {
    ClipFormat format;
    size_t size;
    bool owned;
    int answer;
    bool asks, emptied;
  } cases[] = {
      {ClipFormat::Private, 512, true, mrYes, false, false},  // 508 bytes and the header
      {ClipFormat::Private, 513, true, mrYes, true, true},
      {ClipFormat::Private, 513, true, mrNo, true, false},
      {ClipFormat::Text, 511, true, mrYes, false, false},  // and its terminating zero
      {ClipFormat::Text, 512, true, mrYes, true, true},
      {ClipFormat::Text, 5000, false, mrYes, false, false},
  };
  for (const auto& c : cases) {
    rec.messages.shown.clear();
    clip.contents = {{c.format, std::string(c.size, 'x')}};
    clip.owned = c.owned;
    rec.messages.answers = {c.answer};
    OfferToEmptyClipboard();
    EXPECT_EQ(rec.messages.Texts(), c.asks ? Texts{question} : Texts{}) << c.size;
    EXPECT_EQ(clip.contents.empty(), c.emptied) << c.size;
  }
}

}  // namespace
}  // namespace quoxa
