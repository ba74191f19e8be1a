#include <gtest/gtest.h>

#include <set>
#include <string>

#include "content/NicheCatalog.h"

namespace veltrane {
namespace {

struct LookupCase {
  const char* text;
  const char* niche;  // nullptr: no entry
  const char* firstSubniche;
  const char* lastSubniche;
};

TEST(NicheCatalog, LookupByMenuIndexTextIsExact) {
  const LookupCase cases[] = {
      {"0", "Internet Marketing", "Sales Funnel Creation", "Affiliate Marketing"},
      {"1", "Careers and Employment", "Resume Writing", "Productivity Tools For Professionals"},
      {"2", "Self Improvement", "Time Management", "Productivity Tools"},
      {"3", "Health and Wellness", "Weight Loss", "Healthy Aging"},
      {"4", "Relationships", "Relationships Coaching", "Conflict Resolution"},
      {"5", "Personal Finance", "Investing", "Real Estate Investing"},
      {"6", nullptr, nullptr, nullptr},
      {"", nullptr, nullptr, nullptr},
      {" 0", nullptr, nullptr, nullptr},
      {"0 ", nullptr, nullptr, nullptr},
      {"01", nullptr, nullptr, nullptr},
      {"1.0", nullptr, nullptr, nullptr},
      {"+1", nullptr, nullptr, nullptr},
      {"-0", nullptr, nullptr, nullptr},
      {"Internet Marketing", nullptr, nullptr, nullptr},
  };
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    const NicheEntry* entry = LookupNiche(c.text);
    if (c.niche == nullptr) {
      EXPECT_EQ(entry, nullptr);
      continue;
    }
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->name, c.niche);
    EXPECT_EQ(entry->menuCaption, c.niche);
    EXPECT_EQ(entry->subniches.front(), c.firstSubniche);
    EXPECT_EQ(entry->subniches.back(), c.lastSubniche);
  }
}

TEST(NicheCatalog, NamesArePrintableUniqueAndKeptWhole) {
  std::set<std::string_view> seen;
  for (std::size_t i = 0; i < kNicheCount; ++i) {
    const NicheEntry& niche = NicheCatalog()[i];
    EXPECT_EQ(niche.menuIndex, static_cast<int>(i));
    std::vector<std::string_view> names{niche.name};
    names.insert(names.end(), niche.subniches.begin(), niche.subniches.end());
    for (std::string_view name : names) {
      EXPECT_FALSE(name.empty());
      for (char c : name) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << name;
      EXPECT_TRUE(seen.insert(name).second) << "duplicate " << name;
    }
  }
  EXPECT_EQ(NicheCatalog()[4].subniches[4], "Self Esteem & Body Image");
  EXPECT_EQ(NicheCatalog()[2].subniches[6], "Meditation & Mindfulness");
  EXPECT_EQ(NicheCatalog()[1].subniches[7], "Productivity Tools For Professionals");
  EXPECT_EQ(NicheCatalog()[2].subniches[7], "Productivity Tools");
}

}  // namespace
}  // namespace veltrane
