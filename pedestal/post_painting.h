#pragma once

#include <QImage>
#include <QPoint>
#include <cstdint>
#include <vector>

// Painting of the pedestal's layer with the hard edges white-keyed layers need: no
// antialiasing, polygons include their outline pixels, an ellipse's right and bottom bounds are
// exclusive.
namespace pedestal {

inline constexpr QRgb kPostColour = 0xFFFFFBF0;   // cream deck
inline constexpr QRgb kBoardColour = 0xFF3F3A32;  // dark board, also the pedals

// Clears the whole layer to white, then paints the outline filled cream and the board centred
// on `boardCentre`, both outlined in black. The points are in pixels of the pedestal's layer;
// `canvasAt` is the layer pixel the canvas's pixel (0, 0) shows, when the canvas holds only the
// part of the layer the panel can show.
void PaintPost(QImage& layer, const std::vector<QPoint>& postOutline, QPoint boardCentre,
               std::int32_t postBoardDiameterPx, QPoint canvasAt = QPoint());

// Paints each pedal filled with the board's colour and outlined in black, over what is there.
void PaintPedals(QImage& layer, const std::vector<std::vector<QPoint>>& pedals, QPoint canvasAt = QPoint());

}  // namespace pedestal
