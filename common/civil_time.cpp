#include "common/civil_time.h"

namespace common {

// In eras of 400 years, each year taken from 1 March so that the leap day
// comes last.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

LocalTime CivilTimeOf(int64_t seconds) {
    const int64_t whole = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const int64_t second = seconds - whole * 86400;
    const int64_t days = whole + 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const int64_t day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<uint16_t>(year),
            static_cast<uint16_t>(month),
            static_cast<uint16_t>(day),
            static_cast<uint16_t>(second / 3600),
            static_cast<uint16_t>(second % 3600 / 60),
            static_cast<uint16_t>(second % 60)};
}

int64_t SecondsOfCivil(const LocalTime& time) {
    return DaysFromCivil(time.Year, time.Month, time.Day) * 86400 + time.Hour * 3600 + time.Minute * 60 + time.Second;
}

}  // namespace common
