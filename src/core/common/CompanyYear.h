#pragma once

// A company project: one company in one fiscal year.
struct CompanyYear {
    int kco = 0;
    int nendo = 0;
    bool operator==(const CompanyYear&) const = default;
};
