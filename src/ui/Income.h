#pragma once
// New random values for a province's first three resources, each different
// from the value it had: resource 0 in 2..5; resource 1 mostly 2..4, with one
// chance in five of 0..2; resource 2 mostly 0..3, with one chance in ten of 0..2.
#include <functional>

class CProvince;

// `rand` gives non-negative numbers as the C runtime's rand() does. Resources
// the province does not have are left out.
void RollIncome(CProvince& province, const std::function<int()>& rand);
