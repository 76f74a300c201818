#pragma once
// The screens are designed for Tahoma and Arial. Where the desktop lacks them
// (a Linux desktop has metric-compatible faces instead), make them available.

namespace tarnwell::ui {

// Registers a Tahoma-metric face with the application when "Tahoma" is not an
// installed family, and makes Tahoma 8.25 pt the application's default font.
// Message boxes and the other parts no screen sets a font for are then drawn
// alike on every desktop, whatever its own default face. Call once after the
// QApplication exists.
void useDesignFonts();

}  // namespace tarnwell::ui
