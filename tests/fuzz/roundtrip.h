#pragma once

class TCProyect;

// Saves a project that a reader has opened, opens the saved text again and
// stops the run (abort, so that libFuzzer keeps the input) when the second
// project differs from the first, when the second save is not byte for byte
// the first, or when a save is refused for a project the format can carry.
// `exactPowerFactor`: the first project's power factor already has the four
// decimals the current format keeps (true for a ".tvk" reading).
void checkRoundTrip(TCProyect& opened, bool exactPowerFactor);
