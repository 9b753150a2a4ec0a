#pragma once
// Where the menu puts its pictures, in screen pixels. Shared by the menu and the asset generator,
// which blends the title's and the entries' edges into the background where they stand.

// The title is centred here.
constexpr int MenuTitleX = 400, MenuTitleY = 80;
// The five entries are centred in a column of 50-pixel bands, the first at FirstEntryCentreY.
constexpr int EntryCentreX = 400;
constexpr int FirstEntryCentreY = 175;
constexpr int EntryPitch = 50;
