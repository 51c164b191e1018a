#include <gtest/gtest.h>

#include "TempDir.h"
#include "settings/IniFile.h"
#include "settings/Placement.h"

namespace quoxa {
namespace {

struct FakeColumns {
  std::string name;
  int tag = 0;
  std::vector<int> widths;
};

class FakeColumnOwner final : public IColumnOwner {
 public:
  explicit FakeColumnOwner(FakeColumns& c) : c_(c) {}
  std::string Name() const override { return c_.name; }
  int Tag() const override { return c_.tag; }
  int ColumnCount() const override { return static_cast<int>(c_.widths.size()); }
  int ColumnWidth(int col) const override { return c_.widths[static_cast<size_t>(col)]; }
  void SetColumnWidth(int col, int width) override { c_.widths[static_cast<size_t>(col)] = width; }

 private:
  FakeColumns& c_;
};

class FakeForm final : public IPlacedForm {
 public:
  std::string section = "TFormScript";
  int screenWidth = 1000;
  int screenHeight = 800;
  TRect bounds{10, 20, 300, 200};
  int state = 0;
  bool sizeable = true;
  std::vector<FakeColumns> columns;
  std::vector<std::string> log;

  std::string SectionName() const override { return section; }
  int ScreenWidth() const override { return screenWidth; }
  int ScreenHeight() const override { return screenHeight; }
  TRect Bounds() const override { return bounds; }
  void SetBounds(const TRect& b) override {
    bounds = b;
    log.push_back("SetBounds");
  }
  int State() const override { return state; }
  void SetState(int s) override {
    state = s;
    log.push_back("SetState " + std::to_string(s));
  }
  bool Sizeable() const override { return sizeable; }
  std::vector<std::unique_ptr<IColumnOwner>> ColumnOwners() override {
    std::vector<std::unique_ptr<IColumnOwner>> owners;
    for (auto& c : columns) owners.push_back(std::make_unique<FakeColumnOwner>(c));
    return owners;
  }
};

class Placement : public ::testing::Test {
 protected:
  void SetUp() override { ResetPlacementCascade(); }
  void TearDown() override { InstallIniReplacer(nullptr); }
  test::TempDir dir;
  std::string ini = dir.File("p.ini");
};

TEST(ColumnWidths, ParseStopsAtTheFirstBadItemOrTheLastColumn) {
  EXPECT_EQ(ParseColumnWidths("64,20,20", 3), (std::vector<int>{64, 20, 20}));
  EXPECT_EQ(ParseColumnWidths("64,20,20,30", 3), (std::vector<int>{64, 20, 20}));
  EXPECT_EQ(ParseColumnWidths("64,x,20", 3), (std::vector<int>{64}));
  EXPECT_EQ(ParseColumnWidths("64,,20", 3), (std::vector<int>{64}));
  EXPECT_EQ(ParseColumnWidths("-5,20", 3), std::vector<int>{});
  EXPECT_EQ(ParseColumnWidths("99999999999,1", 3), std::vector<int>{});
  EXPECT_EQ(ParseColumnWidths("", 3), std::vector<int>{});
  EXPECT_EQ(FormatColumnWidths({64, 20, 20}), "64,20,20");
  EXPECT_EQ(FormatColumnWidths({}), "");
}

TEST_F(Placement, SaveWritesDisplayBoundsAndColumnsOfUntaggedOwners) {
  FakeForm form;
  form.columns = {{"QZStrGridTable", 0, {64, 20, 20}}, {"Tagged", 1, {5}}};
  ASSERT_TRUE(SaveFormPlacement(form, ini));
  EXPECT_EQ(test::TempDir::Read(ini),
            "[display]\nresx=1000\nresy=800\n\n"
            "[TFormScript]\nTop=20\nLeft=10\nWindowState=0\nWidth=300\nHeight=200\nQZStrGridTable=64,20,20\n");
  FakeForm fixed;
  fixed.section = "TFormFixed";
  fixed.sizeable = false;
  ASSERT_TRUE(SaveFormPlacement(fixed, ini));
  EXPECT_FALSE(TIniFile(ini).KeyExists("TFormFixed", "Width"));
}

TEST_F(Placement, RestoreOnTheSameScreenSetsBoundsStateAndColumns) {
  dir.Write("p.ini",
            "[display]\nresx=1000\nresy=800\n"
            "[TFormScript]\nTop=33\nLeft=44\nWidth=500\nHeight=400\nWindowState=2\n"
            "QZStrGridTable=70,x,9\nTagged=1,1\n");
  FakeForm form;
  form.columns = {{"QZStrGridTable", 0, {64, 20, 20}}, {"Tagged", 1, {5, 5}}};
  RestoreFormPlacement(form, ini);
  EXPECT_EQ(form.bounds.left, 44);
  EXPECT_EQ(form.bounds.top, 33);
  EXPECT_EQ(form.bounds.width, 500);
  EXPECT_EQ(form.bounds.height, 400);
  EXPECT_EQ(form.state, 2);
  EXPECT_EQ(form.columns[0].widths, (std::vector<int>{70, 20, 20}));
  EXPECT_EQ(form.columns[1].widths, (std::vector<int>{5, 5}));
}

TEST_F(Placement, MissingKeysKeepTheCurrentValuesAndOddStatesAreIgnored) {
  dir.Write("p.ini", "[display]\nresx=1000\nresy=800\n[TFormScript]\nWindowState=7\nWidth=99999\n");
  FakeForm form;
  form.state = 0;
  RestoreFormPlacement(form, ini);
  EXPECT_EQ(form.bounds.left, 10);
  EXPECT_EQ(form.bounds.top, 20);
  EXPECT_EQ(form.bounds.width, 1000);  // no wider than the screen
  EXPECT_EQ(form.bounds.height, 200);
  EXPECT_EQ(form.log, std::vector<std::string>{"SetBounds"});
}

TEST_F(Placement, OnAnotherScreenWindowsAreCentredWithACascade) {
  dir.Write("p.ini", "[display]\nresx=640\nresy=480\n[TFormScript]\nTop=1\nLeft=1\nWindowState=2\n");
  FakeForm first;
  first.state = 2;
  RestoreFormPlacement(first, ini);
  EXPECT_EQ(first.state, 0);
  EXPECT_EQ(first.bounds.left, (1000 - 300) / 2);
  EXPECT_EQ(first.bounds.top, (800 - 200) / 2);
  FakeForm second;
  RestoreFormPlacement(second, ini);
  EXPECT_EQ(second.bounds.left, (1000 - 300) / 2 + 20);
  EXPECT_EQ(second.bounds.top, (800 - 200) / 2 + 16);
  // Without any settings file the screen never matches either.
  FakeForm third;
  RestoreFormPlacement(third, dir.File("none.ini"));
  EXPECT_EQ(third.bounds.left, (1000 - 300) / 2 + 40);
}

TEST_F(Placement, TheCascadeWrapsAtTheScreenSize) {
  FakeForm form;
  form.screenWidth = 100;
  form.screenHeight = 100;
  for (int i = 0; i < 51; ++i) RestoreFormPlacement(form, dir.File("none.ini"));
  // 51 windows placed: the offset went 0, 2, ..., 98, 0 and now stands at 2.
  EXPECT_EQ(form.bounds.left, (100 - 300) / 2 + 0);
  FakeForm next = form;
  RestoreFormPlacement(next, dir.File("none.ini"));
  EXPECT_EQ(next.bounds.left, (100 - 300) / 2 + 2);
}

TEST_F(Placement, AFailedSaveReportsItAndStops) {
  int writes = 0;
  InstallIniReplacer([&](const std::string&, const std::string&) { return ++writes < 3; });
  FakeForm form;
  EXPECT_FALSE(SaveFormPlacement(form, ini));
  EXPECT_EQ(writes, 3);
}

}  // namespace
}  // namespace quoxa
