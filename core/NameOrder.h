#pragma once

#include "NameList.h"

namespace tombreli {

// The order in which a folder list shows its names: the user's locale,
// ignoring letter case. Names it holds equal are ordered by their bytes, so the
// order is total and the same on every run; names that are not valid text still
// take a fixed place.
class NameOrder
{
public:
    virtual ~NameOrder() = default;

    virtual void sort(NameList& names) const = 0;
};

} // namespace tombreli
