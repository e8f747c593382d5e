#pragma once
// Per-bike reference tables, selected from BikeCode.

namespace kestrin {

struct BikeTables {
};

}  // namespace kestrin
