#pragma once

// Small value types shared by the plain controls and the skinned ones, kept
// apart so that a layer above can name them without the whole control set.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
