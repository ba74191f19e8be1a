#include "content/NicheCatalog.h"

#include <string>

namespace veltrane {

const std::array<NicheEntry, kNicheCount>& NicheCatalog() {
  static constexpr std::array<NicheEntry, kNicheCount> kCatalog{{
      {0,
       "Internet Marketing",
       "Internet Marketing",
       {"Sales Funnel Creation", "Email Marketing", "SEO", "PPC", "Video Creation", "Hosting",
        "WordPress", "Affiliate Marketing"}},
      {1,
       "Careers and Employment",
       "Careers and Employment",
       {"Resume Writing", "Job Search Platforms", "Career Development", "Freelancing",
        "Interview Preparation", "Career Coaching", "Work From Home",
        "Productivity Tools For Professionals"}},
      {2,
       "Self Improvement",
       "Self Improvement",
       {"Time Management", "Goal Setting", "Motivation & Habits", "Personal Growth",
        "Leadership Skills", "Public Speaking", "Meditation & Mindfulness", "Productivity Tools"}},
      {3,
       "Health and Wellness",
       "Health and Wellness",
       {"Weight Loss", "Yoga", "Biohacking", "Sleep Health", "Holistic Health", "Detox & Cleansing",
        "Gut Health", "Healthy Aging"}},
      {4,
       "Relationships",
       "Relationships",
       {"Relationships Coaching", "Dating Advice", "Marriage Counseling", "Personal Confidence",
        "Self Esteem & Body Image", "Communication Skills", "Friendship & Networking",
        "Conflict Resolution"}},
      {5,
       "Personal Finance",
       "Personal Finance",
       {"Investing", "Crypto", "Personal Loans", "Credit Repair", "Budgeting Tools",
        "Retirement Planning", "Debt Relief", "Real Estate Investing"}},
  }};
  return kCatalog;
}

const NicheEntry* LookupNiche(std::string_view menuIndexText) {
  for (const NicheEntry& entry : NicheCatalog()) {
    if (menuIndexText == std::to_string(entry.menuIndex)) return &entry;
  }
  return nullptr;
}

}  // namespace veltrane
