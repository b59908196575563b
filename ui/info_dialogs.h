#pragma once
// The information dialogs of the view: all values read-only, lengths in millimetres. Each
// field's object name is its label, so tests find it.

#include <QDialog>
#include <array>
#include <optional>

#include "model/chain_info.h"

class CQuenkDoc;
class CVector;
class QWidget;

// "Information Vektor" and "Information alle Vektoren" ("Overflow" shown first when a sum
// started again).
void ShowChainInfo(QWidget* parent, const CVector& chain, double plotterUnit);
void ShowWorkpieceInfo(QWidget* parent, const CQuenkDoc& doc, double plotterUnit);
// The position dialog: start and end point in mm.
void ShowPosition(QWidget* parent, const CPunkt& p1, const CPunkt& p2);
// "Info Vektorpunkte": the rows around a point; the "Loeschen" boxes of "OK", nothing for
// "Abbrechen".
std::optional<RowChecks> AskPointList(QWidget* parent, const PointRows& rows);

