#pragma once
// Castle and army points of one province piece (CMapProject::CalcCastlePlaces
// runs it over every province piece).
class CProvinceMap;

// Puts the castle in the middle of the largest free square of the piece, up to
// 100 pixels, marks 2 × 2 pixels there as reserved and puts the army in the
// middle of the largest square clear of them. A castle square below 20 or an
// army square below 15 makes the piece kProvinceWithoutCastlePlace.
void PlaceCastleAndArmy(CProvinceMap& piece);
