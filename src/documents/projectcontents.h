#pragma once

class TCProyect;

// What a project file holds: the customer texts, the supply and equipment
// options, the contracted power and the billing data. Neither the language,
// nor the selection's results, nor anything of the document.
namespace ProjectContents {

// Gives `to` the file contents of `from`: the values are copied and the
// billing periods moved, so `from` is left without periods. `to` must have
// been reset; its own periods are kept in front of the moved ones.
void moveInto(TCProyect& from, TCProyect& to);

// Equal file contents, billing periods compared field by field in order
// (the calculated power factor of a period included).
bool equal(const TCProyect& a, const TCProyect& b);

} // namespace ProjectContents
