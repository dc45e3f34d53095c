#include "ui/Income.h"

#include "model/Province.h"

namespace {

// Draws with `draw` until the value differs from `old`.
int DrawNew(int old, const std::function<int()>& draw)
{
    int value = draw();
    while (value == old)
        value = draw();
    return value;
}

} // namespace

void RollIncome(CProvince& province, const std::function<int()>& rand)
{
    const std::function<int()> draws[] = {
        [&] { return rand() % 4 + 2; },
        [&] {
            const int value = rand() % 3 + 2;
            return rand() % 100 < 20 ? rand() % 3 : value;
        },
        [&] {
            const int value = rand() % 4;
            return rand() % 100 < 10 ? rand() % 3 : value;
        },
    };
    for (int i = 0; i < 3 && i < province.resources.GetSize(); ++i)
        province.SetResource(i, DrawNew(province.resources[i], draws[i]));
}
