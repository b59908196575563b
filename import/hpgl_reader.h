#pragma once
// The HPGL reader: one plotter file becomes one new layer of the document, each selected pen
// a pen of that layer, each pen-down stroke a chain. Coordinates stay in plotter units.
//
// Choices the file format leaves open (docs/hpgl.md explains them):
// - Strokes drawn before the file's first SP go to pen 1 of the new layer.
// - At the start of every import the current pen and chain are forgotten, so nothing of a new
//   file can land in the layer of an earlier import; a pen still down from the previous file
//   begins a fresh chain in the new layer with its next point.
// - IN returns the whole current position to (0, 0), not only its y.

#include <cstddef>
#include <string>
#include <string_view>

class CQuenkDoc;
class LayerJoiner;

// Scaling and the relative mode start afresh with every import.
void ResetHpglScaling(CQuenkDoc& doc);

// Removes every CR and LF in place, keeping the order of the other bytes.
void StripLineBreaks(std::string& bytes);

// Interprets plotter text (line breaks already removed) into the document's current layer,
// showing the parameter messages and, when the document reports unknown commands, up to ten
// of them. Returns the number of unknown commands counted. With a joiner, every pen that the
// text leaves for the last time is handed to it as soon as it is complete.
int InterpretHpgl(CQuenkDoc& doc, std::string_view text, LayerJoiner* joiner = nullptr);

// Everything the reader does after reading the file: a new layer, the interpretation, the
// "Über 10 Fehler" message, placement, end-point joining and clean-up. fileName is the name
// with its extension, which names the drawing on the first import. False when memory ran
// out: the file's layer is gone again.
bool ImportHpglBytes(CQuenkDoc& doc, std::string bytes, const std::string& fileName);

// The reader as the import command calls it: a file that cannot be opened is ignored
// silently; otherwise the path becomes the setting of the last imported drawing. Returns
// whether the file was taken.
bool ImportHpglFile(CQuenkDoc& doc, const std::string& path);
