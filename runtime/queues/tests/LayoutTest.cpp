#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "ProgramLayouts.h"

namespace {

using zq::rt::Field;
using zq::rt::FieldKind;
using zq::rt::Record;
using zq::rt::RecordLayout;

struct LayoutCase {
  const char* name;
  const RecordLayout* layout;
  uint32_t fields;
  uint32_t size;
};

const LayoutCase kLayouts[] = {
    {"QDIR", &layouts::QDIR, 18, 1041},
    {"MFQ", &layouts::MFQ, 9, 851},
    {"QSCRIPT", &layouts::QSCRIPT, 14, 60},
    {"VEXTENSIONS", &layouts::VEXTENSIONS, 3, 75},
    {"AEXTENSIONS", &layouts::AEXTENSIONS, 3, 97},
    {"QNOSCAN", &layouts::QNOSCAN, 1, 64},
    {"QPANEL", &layouts::QPANEL, 11, 358},
    {"QD", &layouts::QD, 8, 580},
    {"QDRIVE", &layouts::QDRIVE, 2, 7},
    {"LPLIST", &layouts::LPLIST, 1, 256},
    {"QWR", &layouts::QWR, 8, 28},
    {"T1GROUP", &layouts::T1GROUP, 2, 260},
    {"T2GROUP", &layouts::T2GROUP, 2, sizeof(void*) + 4},
};

// What a field reads back after "300" or a too-long text is assigned.
std::string Expected(const Field& f) {
  switch (f.kind) {
    case FieldKind::Byte:
      return "44";
    case FieldKind::Short:
    case FieldKind::Long:
    case FieldKind::ULong:
    case FieldKind::Real:
    case FieldKind::Reference:
      return "300";
    case FieldKind::String:
      return std::string(f.size, 'x');
    case FieldKind::CString:
      return std::string(f.size - 1, 'x');
    default:
      return {};
  }
}

TEST(Layouts, EveryProgramLayoutPlacesAndConvertsItsFields) {
  for (const LayoutCase& c : kLayouts) {
    SCOPED_TRACE(c.name);
    const RecordLayout& layout = *c.layout;
    EXPECT_EQ(layout.FieldCount(), c.fields);
    EXPECT_EQ(layout.Size(), c.size);
    Record record(std::make_shared<const RecordLayout>(layout));
    uint32_t end = 0;
    for (uint32_t n = 1; n <= layout.FieldCount(); ++n) {
      const Field& f = *layout.At(n);
      EXPECT_EQ(f.offset, end) << f.name;
      end = f.offset + f.size * f.elements;
      EXPECT_EQ(layout.Find(f.name), n) << "first field of that name";
      const std::string text = f.IsText() ? std::string(f.size + 5, 'x') : "300";
      ASSERT_TRUE(record.SetText(n, text)) << f.name;
    }
    EXPECT_EQ(end, layout.Size());
    // Written fields do not overlap: each reads back what it was given.
    for (uint32_t n = 1; n <= layout.FieldCount(); ++n) {
      EXPECT_EQ(record.Text(n), Expected(*layout.At(n))) << layout.At(n)->name;
    }
    record.Clear();
    for (uint32_t n = 1; n <= layout.FieldCount(); ++n) {
      EXPECT_EQ(record.Text(n), layout.At(n)->IsText() ? "" : "0");
    }
  }
}

TEST(Layouts, NamesMatchInAnyCaseAndUnknownsAreHarmless) {
  EXPECT_EQ(layouts::MFQ.Find("SCat"), 5u);
  EXPECT_EQ(layouts::MFQ.Find("dname"), 2u);
  EXPECT_EQ(layouts::MFQ.Find("NOPE"), 0u);
  EXPECT_EQ(layouts::MFQ.Find(""), 0u);
  EXPECT_EQ(layouts::MFQ.At(0), nullptr);
  EXPECT_EQ(layouts::MFQ.At(10), nullptr);

  Record r(std::make_shared<const RecordLayout>(layouts::MFQ));
  EXPECT_FALSE(r.SetText("NOPE", "x"));
  EXPECT_FALSE(r.SetText(99, "x"));
  EXPECT_FALSE(r.SetText(1, "x", 2)) << "a plain field has one element";
  EXPECT_EQ(r.Text("NOPE"), "");
  EXPECT_EQ(r.Whole(0u), 0);
}

TEST(Layouts, GroupsAndArraysAreFieldsWithMembersAndElements) {
  using namespace zq::rt;
  const auto layout = std::make_shared<const RecordLayout>(
      RecordLayout{LONG("ID"), GROUP("POS", {SHORT("X"), SHORT("Y")}), BYTE("FLAGS").Dim(4),
                   STRING("TAGS", 3).Dim(2), CSTRING("", 8), LONG("HIDDEN")});
  ASSERT_EQ(layout->FieldCount(), 8u);
  const Field& pos = *layout->At(2);
  EXPECT_TRUE(pos.IsGroup());
  EXPECT_EQ(pos.size, 4u);
  EXPECT_EQ(layout->At(3)->name, "X");
  EXPECT_EQ(layout->At(4)->offset, 6u);
  EXPECT_TRUE(layout->At(5)->IsArray());
  EXPECT_EQ(layout->At(5)->elements, 4u);
  EXPECT_EQ(layout->At(7)->name, "") << "an unnamed field";
  EXPECT_EQ(layout->Size(), 4u + 4 + 4 + 6 + 8 + 4);

  Record r(layout);
  r.SetWhole("X", 7);
  r.SetWhole("Y", -2);
  EXPECT_EQ(r.Text("POS"), std::string("\x07\x00\xFE\xFF", 4)) << "a group reads as its bytes";
  for (uint32_t e = 1; e <= 4; ++e) EXPECT_TRUE(r.SetWhole("FLAGS", e * 10, e));
  EXPECT_FALSE(r.SetWhole("FLAGS", 1, 5));
  EXPECT_EQ(r.Text("FLAGS", 3), "30");
  r.SetText("TAGS", "abcd", 2);
  EXPECT_EQ(r.Text("TAGS", 1), "");
  EXPECT_EQ(r.Text("TAGS", 2), "abc");
}

TEST(Layouts, AGroupsNameQualifiesTheFieldsInsideIt) {
  using namespace zq::rt;
  // The settings' two catalog groups have fields of the same names.
  const RecordLayout st{LONG("ALLIGN"),
                        GROUP("CAT1", {STRING("ALLIGN", 10), SHORT("DX")}),
                        GROUP("CAT2", {STRING("ALLIGN", 10), GROUP("INNER", {SHORT("DX")}), SHORT("DX")}),
                        BYTE("DX")};
  struct Case {
    const char* name;
    uint32_t field;
  };
  for (Case c : {Case{"ALLIGN", 1}, Case{"cat1.allign", 3}, Case{"CAT2.ALLIGN", 6}, Case{"CAT1.DX", 4},
                 Case{"CAT2.DX", 9}, Case{"CAT2.INNER.DX", 8}, Case{"INNER.DX", 8}, Case{"DX", 4},
                 Case{"CAT1.NOPE", 0}, Case{"CAT1.", 0}, Case{".ALLIGN", 0}, Case{"ALLIGN.X", 0},
                 Case{"CAT1.CAT2.ALLIGN", 0}}) {
    EXPECT_EQ(st.Find(c.name), c.field) << c.name;
  }
  EXPECT_EQ(st.At(5)->members, 4u);
  EXPECT_EQ(st.At(10)->name, "DX");
  std::vector<std::byte> bytes(st.Size());
  RecordRef r(st, bytes.data());
  r.SetText("CAT2.ALLIGN", "Bot");
  r.SetText("CAT1.ALLIGN", "Top");
  EXPECT_EQ(r.Text("CAT2.ALLIGN"), "Bot");
  EXPECT_EQ(r.Text("CAT1.ALLIGN"), "Top");
}

TEST(Layouts, RecordBytesTravelAsATextAndBack) {
  // The thread parameter case: a group's bytes as a string and copied back into a group.
  const auto t1 = std::make_shared<const RecordLayout>(layouts::T1GROUP);
  Record sent(t1);
  sent.SetText("ROOT", "D:\\Films\\");
  sent.SetWhole("THREADNR", 0x01020304);
  const std::string parameter(sent.Bytes());
  ASSERT_EQ(parameter.size(), 260u);

  Record received(t1);
  received.AssignBytes(parameter);
  EXPECT_EQ(received.Text("ROOT"), "D:\\Films\\");
  EXPECT_EQ(received.Whole("THREADNR"), 0x01020304);
  received.AssignBytes("ab");
  EXPECT_EQ(received.Text("ROOT"), "ab");
  EXPECT_EQ(received.Whole("THREADNR"), 0) << "the rest is zeroed";

  const auto t2 = std::make_shared<const RecordLayout>(layouts::T2GROUP);
  int target = 0;
  Record withRef(t2);
  withRef.SetReference("QDIR", &target);
  Record copy(t2);
  copy.AssignBytes(withRef.Bytes());
  EXPECT_EQ(copy.Reference("QDIR"), &target);
  EXPECT_FALSE(copy.SetReference("THREADNR", &target)) << "only a reference field holds one";
}

TEST(Layouts, TypedFieldViewsBindByName) {
  struct QDriveView {
    zq::rt::TextField DRV;
    zq::rt::WholeField DICON;
  };
  const auto layout = std::make_shared<const RecordLayout>(layouts::QDRIVE);
  const QDriveView v{{*layout, "drv"}, {*layout, "DIcon"}};
  EXPECT_TRUE(v.DRV.Bound());
  Record r(layout);
  v.DRV.Set(r, "C:\\x");
  v.DICON.Set(r, 12);
  EXPECT_EQ(v.DRV(r), "C:\\");
  EXPECT_EQ(v.DICON(r), 12);
  EXPECT_FALSE(zq::rt::RealField(*layout, "NONE").Bound());
}

TEST(Layouts, TypedViewsNameTheFieldsTheirLayoutLacksOrHoldsOfAnotherKind) {
  const RecordLayout layout = layouts::QDRIVE;
  struct Drive : zq::rt::RecordView {
    explicit Drive(const RecordLayout& l) : RecordView(l) {}
    zq::rt::TextField DRV{*this, "DRV"};
    zq::rt::WholeField DICON{*this, "DICON"};
    zq::rt::TextField DRIVE{*this, "DRIVE"};   // no such field
    zq::rt::RealField DICONR{*this, "DICON"};  // a whole number, not a real
    zq::rt::WholeField DRVW{*this, "DRV"};     // a text, not a number
  };
  const Drive v(layout);
  EXPECT_EQ(v.Unbound(), (std::vector<std::string>{"DRIVE", "DICON", "DRV"}));
  EXPECT_EQ(v.Members(), 5u);
  EXPECT_EQ(v.DRV.Number(), 1u);
  EXPECT_EQ(v.DICON.Number(), 2u);
  EXPECT_FALSE(v.DRIVE.Bound());
  EXPECT_FALSE(v.DICONR.Bound()) << "a field of another kind is not bound, so it is not written";
  Record r(std::make_shared<const RecordLayout>(layout));
  EXPECT_FALSE(v.DRVW.Set(r, 5));
  EXPECT_EQ(r.Text(1), "");
}

TEST(Layouts, ADeclaringViewBuildsItsLayoutFromItsMembersInTheirOrder) {
  using namespace zq::rt;
  struct Entry : RecordView {
    TextField FN{*this, CSTRING("FN", 256)};
    WholeField C1{*this, LONG("C1")};
    TextField FS{*this, STRING("FS", 15)};
    RealField SIZE{*this, REAL("SIZE")};
    WholeField MARKS{*this, BYTE("MARKS").Dim(3)};
    ReferenceField OWNER{*this, REFERENCE("OWNER")};
  };
  const Entry v;
  const RecordLayout same{CSTRING("FN", 256), LONG("C1"), STRING("FS", 15), REAL("SIZE"), BYTE("MARKS").Dim(3),
                          REFERENCE("OWNER")};
  ASSERT_EQ(v.Layout().FieldCount(), same.FieldCount());
  EXPECT_EQ(v.Layout().Size(), same.Size());
  for (uint32_t n = 1; n <= same.FieldCount(); ++n) {
    const Field& a = *v.Layout().At(n);
    const Field& b = *same.At(n);
    EXPECT_EQ(std::tie(a.name, a.kind, a.offset, a.size, a.elements),
              std::tie(b.name, b.kind, b.offset, b.size, b.elements));
  }
  EXPECT_TRUE(v.Unbound().empty());
  EXPECT_EQ(v.Members(), 6u);
  EXPECT_EQ(&v.Layout(), &v.Layout()) << "built once";
  Record r(std::shared_ptr<const RecordLayout>(&v.Layout(), [](const RecordLayout*) {}));
  v.FS.Set(r, "1234");
  v.MARKS.Set(r, 7, 3);
  EXPECT_EQ(r.Text("FS"), "1234");
  EXPECT_EQ(r.Whole("MARKS", 3), 7);
  EXPECT_EQ(v.FS.Number(), 3u);
}

TEST(Layouts, ADeclaringViewNamesARepeatedNameAFieldOfAnotherKindAndAMemberBoundByName) {
  using namespace zq::rt;
  struct Entry : RecordView {
    TextField FN{*this, CSTRING("FN", 64)};
    WholeField ICON{*this, LONG("ICON")};
    WholeField ICON2{*this, LONG("icon")};  // the sibling's name
    TextField C1{*this, LONG("C1")};        // a number read as text
    WholeField FS{*this, "FS"};             // bound by name, but the view declares its fields
    WholeField LAST{*this, BYTE("LAST")};
  };
  const Entry v;
  EXPECT_EQ(v.Unbound(), (std::vector<std::string>{"icon", "C1", "FS"}));
  EXPECT_EQ(v.Layout().FieldCount(), 5u) << "each declared field keeps its place";
  EXPECT_EQ(v.LAST.Number(), 5u);
  EXPECT_FALSE(v.ICON2.Bound());
  Record r(std::shared_ptr<const RecordLayout>(&v.Layout(), [](const RecordLayout*) {}));
  EXPECT_FALSE(v.ICON2.Set(r, 5));
  EXPECT_EQ(v.ICON(r), 0) << "an unbound member writes nothing";

  const RecordLayout layout{CSTRING("FN", 64)};
  struct Over : RecordView {
    explicit Over(const RecordLayout& l) : RecordView(l) {}
    TextField FN{*this, CSTRING("FN", 64)};  // declared on a view over another layout
  };
  EXPECT_EQ(Over(layout).Unbound(), std::vector<std::string>{"FN"});
}

}  // namespace
