#pragma once

class TCProyect;

// Equal file contents: the customer texts, the options, the contracted power
// and the billing data, the periods compared field by field in order (the
// calculated power factor of a period included). Shared by the document
// tests and the fuzz targets' round trip.
bool sameFileContents(const TCProyect& a, const TCProyect& b);
