#pragma once
// The screens are designed for Tahoma and Arial. Where the desktop lacks them
// (a Linux desktop has metric-compatible faces instead), make them available.

namespace tarnwell::ui {

// Registers a Tahoma-metric face with the application when "Tahoma" is not an
// installed family. Call once after the QApplication exists.
void ensureDesignFonts();

}  // namespace tarnwell::ui
