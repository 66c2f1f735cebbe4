// The version reminder's date rule: more than 310 whole days after
// 27 March 2013, and only on odd days of the month.
#include <gtest/gtest.h>

#include <time.h>

#include "shell/dialogs.h"

namespace {

struct ReminderCase {
    const char* pszName;
    int nYear; // full year
    int nMonth; // 1..12
    int nDay;
    int nHour;
    int bDue;
};

const ReminderCase kCases[] = {
    {"31 Jan 2014, day 310", 2014, 1, 31, 12, 0},
    {"1 Feb 2014, day 311, odd", 2014, 2, 1, 12, 1},
    {"2 Feb 2014, even day", 2014, 2, 2, 12, 0},
    {"3 Feb 2014, odd", 2014, 2, 3, 12, 1},
    {"1 Feb 2014 just after midnight", 2014, 2, 1, 0, 1},
    {"1 Feb 2014 late evening", 2014, 2, 1, 23, 1},
    {"reference date itself", 2013, 3, 27, 12, 0},
    {"clock before 2013, odd day", 2012, 5, 1, 12, 0},
    {"clock far before, odd day", 1999, 12, 31, 12, 0},
    {"years later, 31st", 2026, 12, 31, 12, 1},
    {"years later, 10th", 2026, 12, 10, 12, 0},
    {"leap day 2028, odd", 2028, 2, 29, 12, 1},
    {"day after leap day, odd", 2028, 3, 1, 12, 1},
    {"near the end of 32-bit time, odd", 2037, 7, 7, 12, 1},
};

struct tm tmAt(const ReminderCase& c)
{
    struct tm t = {};
    t.tm_year = c.nYear - 1900;
    t.tm_mon = c.nMonth - 1;
    t.tm_mday = c.nDay;
    t.tm_hour = c.nHour;
    t.tm_isdst = -1;
    // Fill in weekday and DST flag the way localtime would deliver them.
    mktime(&t);
    return t;
}

TEST(VersionReminder, DueByDate)
{
    for (const ReminderCase& c : kCases) {
        SCOPED_TRACE(c.pszName);
        struct tm t = tmAt(c);
        EXPECT_EQ(c.bDue, vReminderDue(&t));
    }
}

TEST(VersionReminder, NoDateNoReminder) { EXPECT_EQ(0, vReminderDue(NULL)); }

// On every later date: odd days yes, even days no, over a whole month.
TEST(VersionReminder, OddDaysOnlyOverAMonth)
{
    for (int nDay = 1; nDay <= 31; nDay++) {
        ReminderCase c = {"", 2025, 1, nDay, 9, nDay % 2};
        struct tm t = tmAt(c);
        EXPECT_EQ(nDay % 2, vReminderDue(&t)) << "January " << nDay << " 2025";
    }
}

} // namespace
