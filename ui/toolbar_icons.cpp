#include "ui/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStringList>

#include "ui/command_table.h"

namespace {
// Paths on a 16 x 16 grid: "M x y" moves, "L x y" draws a line, "C x y r" a circle,
// "R x y w h" a rectangle; a leading "#" colours the strokes that follow in the accent.
struct IconShape {
    int id;
    const char* path;
};
const IconShape kShapes[] = {
    {cmd::kNew, "M 4 1 L 10 1 L 13 4 L 13 15 L 4 15 L 4 1 M 10 1 L 10 4 L 13 4"},
    {cmd::kOpen, "M 1 4 L 6 4 L 7 6 L 14 6 L 14 14 L 1 14 L 1 4"},
    {cmd::kSave, "R 2 2 12 12 R 5 2 6 4 R 5 9 6 5"},
    {cmd::kImport, "R 2 9 12 5 # M 8 1 L 8 10 M 5 7 L 8 10 L 11 7"},
    {cmd::kExport, "R 2 9 12 5 # M 8 10 L 8 1 M 5 4 L 8 1 L 11 4"},
    {cmd::kExportCorrection, "R 2 9 12 5 # M 8 8 L 8 1 M 5 4 L 8 1 L 11 4 M 4 11 L 12 11"},
    {cmd::kMouseExport, "M 3 2 L 3 12 L 6 9 L 9 14 L 10 13 L 7 8 L 11 8 L 3 2 # C 12 4 2"},
    {cmd::kOrderAuto, "R 1 1 14 14 R 4 4 4 4 # M 6 8 L 6 11 L 12 11 L 12 5"},
    {cmd::kCut, "C 4 12 2 C 12 12 2 M 5 10 L 11 2 M 11 10 L 5 2"},
    {cmd::kCopy, "R 2 2 8 9 R 6 5 8 9"},
    {cmd::kPaste, "R 3 3 10 12 R 6 1 4 3 M 5 8 L 11 8 M 5 11 L 11 11"},
    {cmd::kZoomWorkpiece, "C 7 7 5 M 11 11 L 15 15 # R 5 5 4 4"},
    {cmd::kZoomMaterial, "C 7 7 5 M 11 11 L 15 15 # M 4 9 L 10 9 L 10 5"},
    {cmd::kZoomMachine, "C 7 7 5 M 11 11 L 15 15 # R 4 4 6 6"},
    {cmd::kPanRight, "M 2 8 L 14 8 M 10 4 L 14 8 L 10 12"},
    {cmd::kPanDown, "M 8 2 L 8 14 M 4 10 L 8 14 L 12 10"},
    {cmd::kPanUp, "M 8 14 L 8 2 M 4 6 L 8 2 L 12 6"},
    {cmd::kPanLeft, "M 14 8 L 2 8 M 6 4 L 2 8 L 6 12"},
    {cmd::kZoomOut, "C 7 7 5 M 11 11 L 15 15 # M 4 7 L 10 7"},
    {cmd::kZoomIn, "C 7 7 5 M 11 11 L 15 15 # M 4 7 L 10 7 M 7 4 L 7 10"},
    {cmd::kWorkpieceInfo, "C 8 8 7 # M 8 7 L 8 12 M 8 4 L 8 5"},
    {cmd::kPrint, "R 4 1 8 5 R 1 6 14 6 R 4 10 8 5"},
    {cmd::kAbout, "C 8 8 7 # M 6 5 L 8 3 L 10 5 L 8 8 L 8 10 M 8 12 L 8 13"},
    {cmd::kContextHelp, "M 2 2 L 2 11 L 4 9 L 6 13 L 7 12 L 5 8 L 8 8 L 2 2 # M 11 4 L 13 2 L 15 4 L 13 7 M 13 9 L 13 10"},
    {cmd::kMill, "M 7 1 L 9 1 L 9 8 L 7 8 L 7 1 M 8 8 L 8 11 # M 2 14 L 14 14 M 5 12 L 11 12"},
    {cmd::kJoin, "M 1 12 L 6 5 # M 6 5 L 10 5 M 10 5 L 15 12"},
    {cmd::kClockwise, "M 8 2 L 12 4 L 14 8 L 12 12 L 8 14 L 4 12 L 2 8 L 4 4 # M 8 2 L 6 0 M 8 2 L 6 4"},
    {cmd::kCounterClockwise, "M 8 2 L 4 4 L 2 8 L 4 12 L 8 14 L 12 12 L 14 8 L 12 4 # M 8 2 L 10 0 M 8 2 L 10 4"},
    {cmd::kRadiusCorrection, "R 5 5 6 6 # R 2 2 12 12"},
    {cmd::kZoomArea, "C 7 7 5 M 11 11 L 15 15 # R 1 1 4 4"},
    {32783, "M 2 14 L 14 2 # M 0 12 L 4 16 M 4 12 L 0 16"},
    {32784, "M 2 5 L 14 5 M 11 2 L 14 5 L 11 8 # M 14 11 L 2 11 M 5 8 L 2 11 L 5 14"},
    {32785, "M 2 14 L 8 4 L 14 14 # M 6 2 L 10 6 M 10 2 L 6 6"},
    {32836, "M 2 8 L 14 8 # M 4 4 L 12 12 M 12 4 L 4 12"},
    {32824, "C 5 5 3 C 11 5 3 C 8 11 3"},
    {32803, "M 3 13 L 11 5 L 13 7 L 5 15 L 3 15 L 3 13 # M 11 1 L 11 3"},
    {32804, "M 7 1 L 9 1 L 9 10 L 7 10 L 7 1 M 8 10 L 8 15 # M 12 3 L 14 3"},
    {32826, "R 2 4 12 8 # M 7 4 L 7 12 M 9 4 L 9 12"},
    {32827, "M 2 14 L 2 2 L 14 2 # C 5 5 2"},
    {32828, "M 2 14 L 2 2 L 14 2 # M 2 2 L 7 7"},
    {32821, "M 1 13 L 6 4 L 11 10 L 15 3 # C 11 10 2"},
    {cmd::kSaveJob, "R 2 2 12 12 R 5 2 6 4 # R 5 9 6 5"},
    {cmd::kMaterialData, "R 1 5 14 6 # M 1 8 L 15 8"},
    {cmd::kWinPc, "M 7 1 L 9 1 L 9 10 L 7 10 L 7 1 # M 8 10 L 8 15"},
    {cmd::kGCode, "R 2 1 12 14 # M 4 4 L 12 4 M 4 7 L 10 7 M 4 10 L 12 10"},
};

const QColor kStroke(40, 40, 40);
const QColor kAccent(20, 110, 200);

QPixmap Draw(const char* path, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    p.setPen(QPen(kStroke, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QStringList tokens = QString::fromLatin1(path).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QPainterPath stroke;
    auto flush = [&] {
        p.drawPath(stroke);
        stroke = QPainterPath();
    };
    auto num = [&](qsizetype i) { return i < tokens.size() ? tokens[i].toDouble() : 0.0; };
    for (qsizetype i = 0; i < tokens.size();) {
        const QString& op = tokens[i];
        if (op == QLatin1String("#")) {
            flush();
            p.setPen(QPen(kAccent, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            i += 1;
        } else if (op == QLatin1String("M")) {
            stroke.moveTo(num(i + 1), num(i + 2));
            i += 3;
        } else if (op == QLatin1String("L")) {
            stroke.lineTo(num(i + 1), num(i + 2));
            i += 3;
        } else if (op == QLatin1String("C")) {
            stroke.addEllipse(QPointF(num(i + 1), num(i + 2)), num(i + 3), num(i + 3));
            i += 4;
        } else {
            stroke.addRect(num(i + 1), num(i + 2), num(i + 3), num(i + 4));
            i += 5;
        }
    }
    flush();
    return pixmap;
}
}  // namespace

QIcon ToolBarIcon(int id) {
    for (const IconShape& s : kShapes)
        if (s.id == id) {
            QIcon icon;
            icon.addPixmap(Draw(s.path, 20));
            icon.addPixmap(Draw(s.path, 40));
            return icon;
        }
    return {};
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {32, 64}) icon.addPixmap(Draw("R 1 1 14 14 # M 4 11 L 4 5 L 8 8 L 12 5 L 12 11", size));
    return icon;
}
