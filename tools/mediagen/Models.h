// Models: the demo's three 3DS models, z up (the scenes turn them so z
// becomes y), built from closed swept surfaces and height grids.
#pragma once
#include "tools/writers/Writer3DS.h"

// "wombat.3ds": mesh 0 the furred body (barrel body, short legs, broad blunt
// head, small ears; closed), mesh 1 the dark details (eyes, nose, claws).
// About 130 units long around the origin, feet at z = WombatFeetZ.
T3DSModel WombatModel();
inline constexpr double WombatFeetZ = -38.0;

// "land.3ds": a light first, then mesh 0 the land around a lake basin with
// two rocks the Lakris scene's small wombats stand on, and mesh 1 the water:
// a flat grid over the basin.
T3DSModel LandModel();

// "lakris.3ds": a twisted licorice rope tied in a trefoil knot, about 250
// units across, centred where the scene's scale puts it near (0, 28, 0).
T3DSModel LakrisModel();
