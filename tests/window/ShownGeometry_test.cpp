// The rules the page walk applies to a geometry record, one row per rule kept or broken.
#include "window/ShownGeometry.h"

#include <gtest/gtest.h>

#include <string>

namespace {
struct RuleCase {
  const char* Name;
  std::string Record;
  const char* Fault;  // a part of the one fault expected, or null for none
};

const std::string Main = "window\t0\tmain\t0,0,1280,728\tZ81\n";
std::string Control(const std::string& owner, int id, const std::string& kind, const std::string& rect,
                    const std::string& room = "80,20", const std::string& text = "40,13", int lines = 1,
                    const std::string& visible = "0,0,1280,728") {
  return "control\t0\t" + owner + "\t1\t" + std::to_string(id) + "\t" + kind + "\t" + rect + "\t" + visible + "\t" +
         room + "\t" + text + "\t" + std::to_string(lines) + "\tCaption\n";
}

const RuleCase Cases[] = {
    {"apart and readable", Main + Control("top", 1, "button", "10,10,80,20") + Control("top", 2, "button", "100,10,80,20"),
     nullptr},
    {"outside the window", Main + Control("top", 1, "button", "1250,10,80,20"), "outside the visible"},
    {"outside its page", Main + Control("117", 1, "button", "10,500,80,20", "80,20", "40,13", 1, "0,0,320,480"),
     "outside the visible"},
    {"caption too wide", Main + Control("top", 1, "droplist", "10,10,80,20", "52,20", "101,13"), "needs 101x13"},
    {"caption too tall", Main + Control("top", 1, "button", "10,10,80,20", "80,20", "40,34", 2), "needs 40x34"},
    {"edits carry no caption", Main + Control("top", 1, "edit", "10,10,80,20", "0,0", "0,0"), nullptr},
    {"two controls over each other", Main + Control("top", 1, "button", "10,10,80,20") +
                                         Control("top", 2, "static", "60,15,80,20"),
     "overlaps"},
    {"different pages may meet", Main + Control("117", 1, "button", "10,10,80,20") +
                                     Control("top", 2, "static", "60,15,80,20"),
     nullptr},
    {"a control across a frame", Main + "frame\t0\t119\t10,70,300,80\t0,0,0,0\t\n" +
                                     Control("119", 1158, "button", "60,130,86,28"),
     "sits across"},
    {"a control inside a frame", Main + "frame\t0\t119\t10,70,300,100\t0,0,0,0\t\n" +
                                     Control("119", 1158, "button", "60,130,86,28"),
     nullptr},
    {"a control over a frame title", Main + "frame\t0\t117\t6,30,308,198\t14,29,120,16\tOutput\n" +
                                         Control("117", 2, "droplist", "14,44,200,24", "176,24", "120,13"),
     "covers the title"},
    {"a title past its frame", Main + "frame\t0\ttop\t948,8,86,91\t956,7,123,16\tPort Switch Method\n",
     "runs past it"},
    {"a title touching the next frame", Main + "frame\t0\ttop\t900,8,129,91\t908,7,121,16\tPort\n" +
                                            "frame\t0\ttop\t1029,8,170,91\t1037,7,74,16\tSync\n",
     "touches frame"},
    {"a video view over a page", Main + "page\t0\t179\t397,106,859,481\t0,0,1280,728\nvideo\t0\t418,139,320,180\t179 \n",
     "covers page 179"},
    {"a video view under a page", Main + "page\t0\t179\t397,106,859,481\t0,0,1280,728\nvideo\t0\t418,139,320,180\t\n",
     nullptr},
    {"a video view beside a page", Main + "page\t0\t127\t77,106,320,526\t0,0,1280,728\nvideo\t0\t418,139,320,180\t127\n",
     nullptr},
    {"a busy text on two lines", "window\t1\tbusy\t490,289,300,150\tWait\n" +
                                     std::string("control\t1\ttop\t1\t-1\tstatic\t590,339,100,75\t490,289,300,150\t"
                                                 "100,75\t96,26\t2\tGetting Data\n"),
     "broken into 2 lines"},
};

class GeometryRules : public testing::TestWithParam<RuleCase> {};
}  // namespace

TEST_P(GeometryRules, FindExactlyTheBrokenRule) {
  const RuleCase& c = GetParam();
  const auto faults = ShownGeometry::Parse(c.Record).Faults();
  if (!c.Fault) {
    EXPECT_TRUE(faults.empty()) << faults.front();
    return;
  }
  ASSERT_EQ(faults.size(), 1u) << (faults.empty() ? "no fault" : faults.back());
  EXPECT_NE(faults[0].find(c.Fault), std::string::npos) << faults[0];
}

INSTANTIATE_TEST_SUITE_P(Cases, GeometryRules, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<RuleCase>& info) {
                           std::string name = info.param.Name;
                           for (char& ch : name)
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });
