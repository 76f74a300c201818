#pragma once
// The widgets and ui parts the screens' headers keep pointers to, declared
// once, so a header needs no Qt widget header of its own.

class QAbstractItemModel;
class QCheckBox;
class QColor;
class QComboBox;
class QDoubleSpinBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

namespace tarnwell::ui {
class Navigator;
class Platform;
class SolventListView;
}  // namespace tarnwell::ui
