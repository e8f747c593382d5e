#pragma once
// Consistency rules, reference selection, base injection maps and percent arrays.

namespace kestrin {

struct DerivedState {
};

}  // namespace kestrin
