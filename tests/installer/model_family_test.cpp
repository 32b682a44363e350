#include "installer/ModelFamily.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "TempFolder.h"
#include "installer/ModelDriver.h"
#include "installer/ModelTable.h"
#include "platform/Files.h"

namespace vigil::installer {
namespace {

ModelQuery Answering(std::string name, int* queries = nullptr) {
  return [name, queries]() -> std::optional<ModelAnswer> {
    if (queries != nullptr) ++*queries;
    return MakeModelAnswer(name);
  };
}

TEST(ModelTable, NineFamiliesAndFamilySevenHasOneModel) {
  std::map<int, int> perFamily;
  std::set<std::string_view> names;
  for (const ModelEntry& e : ModelTable()) {
    ++perFamily[e.family];
    EXPECT_TRUE(names.insert(e.name).second) << "listed twice: " << e.name;
    for (char c : e.name) EXPECT_TRUE(c > 0x20 && c < 0x7F) << e.name;
  }
  EXPECT_EQ(perFamily.size(), 9u);
  EXPECT_EQ(perFamily.begin()->first, 2);
  EXPECT_EQ(perFamily.rbegin()->first, 10);
  EXPECT_EQ(perFamily[7], 1);
  EXPECT_GE(ModelTable().size(), 25u);
}

TEST(ModelTable, LookupIsExactAndCaseSensitive) {
  struct Case {
    const char* name;
    int family;
    const char* comment;
  } cases[] = {
      {"VS-201", 2, ""},
      {"VS-701R", 7, "the single model of family 7"},
      {"VS-1005", 10, ""},
      {"vs-201", 1, "differs only in letter case"},
      {"VS-701r", 1, "differs only in letter case"},
      {"VS-201 ", 1, "trailing blank"},
      {"VS-20", 1, "a prefix of a listed name"},
      {"", 1, "no name"},
  };
  for (const Case& c : cases) EXPECT_EQ(FamilyOfModel(c.name), c.family) << c.name << " " << c.comment;
}

TEST(ModelFamily, DriverIsAskedOnceAlthoughTheFamilyIsAskedNineTimes) {
  int queries = 0;
  ModelFamily models(Answering("unlisted", &queries));
  PackageRecord record;
  for (int f = 2; f <= 10; ++f) record.SetSupportsFamily(f, true);
  EXPECT_EQ(ModelRefusalMessage(models, record), 25);  // asks all nine predicates
  EXPECT_EQ(models.Family(), 1);
  EXPECT_EQ(queries, 1);
  EXPECT_EQ(models.QueryCount(), 1);
}

TEST(ModelFamily, NoAnswerIsAnUnknownModelAndIsNotAskedAgain) {
  int queries = 0;
  ModelFamily models([&queries]() -> std::optional<ModelAnswer> {
    ++queries;
    return std::nullopt;
  });
  EXPECT_EQ(models.Family(), 1);
  EXPECT_FALSE(models.IsFamily2());
  EXPECT_EQ(queries, 1);
}

TEST(ModelFamily, PredicatesAnswerForTheirFamilyOnly) {
  for (const ModelEntry& e : ModelTable()) {
    ModelFamily m(Answering(std::string(e.name)));
    const bool answers[] = {m.IsFamily2(), m.IsFamily3(), m.IsFamily4(), m.IsFamily5(), m.IsFamily6(),
                            m.IsFamily7(), m.IsFamily8(), m.IsFamily9(), m.IsFamily10()};
    for (int f = 2; f <= 10; ++f) EXPECT_EQ(answers[f - 2], f == e.family) << e.name << " family " << f;
  }
}

TEST(ModelFamily, RefusalMessagePerFamily) {
  const std::map<int, int> refusal{{2, 22}, {3, 23}, {4, 24}, {5, 46}, {7, 47},
                                   {6, 48}, {8, 60}, {9, 61}, {10, 62}};
  for (const ModelEntry& e : ModelTable()) {
    PackageRecord none;
    ModelFamily a(Answering(std::string(e.name)));
    EXPECT_EQ(ModelRefusalMessage(a, none), refusal.at(e.family)) << "every family byte 0 refuses " << e.name;
    PackageRecord only;
    only.SetSupportsFamily(e.family, true);
    ModelFamily b(Answering(std::string(e.name)));
    EXPECT_EQ(ModelRefusalMessage(b, only), 0) << e.name;
    PackageRecord allButThis;
    for (int f = 2; f <= 10; ++f) allButThis.SetSupportsFamily(f, f != e.family);
    ModelFamily c(Answering(std::string(e.name)));
    EXPECT_EQ(ModelRefusalMessage(c, allButThis), refusal.at(e.family)) << e.name;
  }
}

TEST(ModelDriver, AnswerFileUnderTheDeviceRoot) {
  test::TempFolder temp;
  const platform::Paths paths(temp.path() / "pkg", temp.path() / "device");
  EXPECT_FALSE(QueryModelDriver(paths)) << "no driver answer file: the request fails";

  ASSERT_TRUE(platform::CreateFolder(temp.path() / "device"));
  ASSERT_TRUE(platform::CreateFolder(temp.path() / "device" / "Drivers"));
  const ModelAnswer made = MakeModelAnswer("VS-905");
  const std::string bytes(made.begin(), made.end());
  ASSERT_TRUE(platform::WriteFileBytesAtomic(paths.Device(kModelAnswerFile), bytes));
  const auto answer = QueryModelDriver(paths);
  ASSERT_TRUE(answer);
  EXPECT_EQ(ModelNameFromAnswer(*answer), "VS-905");
  ModelFamily models([&paths] { return QueryModelDriver(paths); });
  EXPECT_TRUE(models.IsFamily9());
}

TEST(ModelDriver, NameIsBoundedByTheBuffer) {
  ModelAnswer full{};
  full.fill('A');
  EXPECT_EQ(ModelNameFromAnswer(full).size(), kModelAnswerBytes - kModelNameOffset);
  ModelAnswer empty{};
  EXPECT_EQ(ModelNameFromAnswer(empty), "");
}

TEST(ModelDriver, ShortAnswerFileIsPaddedWithZeros) {
  test::TempFolder temp;
  const platform::Paths paths(temp.path(), temp.path());
  ASSERT_TRUE(platform::CreateFolder(temp.path() / "Drivers"));
  ASSERT_TRUE(
      platform::WriteFileBytesAtomic(paths.Device(kModelAnswerFile), std::string(34, 'x') + "VS-303"));
  const auto answer = QueryModelDriver(paths);
  ASSERT_TRUE(answer);
  EXPECT_EQ(ModelNameFromAnswer(*answer), "VS-303");
}

}  // namespace
}  // namespace vigil::installer
