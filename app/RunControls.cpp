// The run controls, zoom and the input fields' key handler, and the run procedure's entry.
// STUBS: the run-control behaviour and the run procedure are filled in by the run work; only
// EnableRunButtons is complete here.
#include <QPushButton>

#include "app/KVUGraphiques.h"
#include "ui/widgets/SpeedButton.h"

void TKVFGraphiques::sbStartClick(QObject*) {}   // STUB: start or resume a run
void TKVFGraphiques::sbPauseClick(QObject*) {}   // STUB: pause the animating run
void TKVFGraphiques::sbStopClick(QObject*) {}    // STUB: stop the run
void TKVFGraphiques::Button1Click(QObject*) {}   // STUB: ZeroGravity := true
void TKVFGraphiques::sbZoomInClick(QObject*) {}  // STUB: ResetScene, then ChangeZoom('+')
void TKVFGraphiques::sbZoomOutClick(QObject*) {} // STUB: ResetScene, then ChangeZoom('-')
void TKVFGraphiques::eSpeedKeyPress(QObject*, char16_t&) {}  // STUB: deselect the preset; Enter redraws
void TKVFGraphiques::ChangeZoom(char16_t) {}     // STUB: step ZoomFactor and redraw
void TKVFGraphiques::ResetScene() {}             // STUB: clear the drawing area and the run's telemetry
void TKVFGraphiques::RunSimulation() {}          // STUB: the run procedure (static redraw or flight)

void TKVFGraphiques::eSpeedChange(QObject*) {}  // editing a field has no effect until it is read

void TKVFGraphiques::EnableRunButtons(bool Active) {
  sbStop->setEnabled(Active);
  sbPause->setEnabled(Active);
  sbStart->setEnabled(!Active);
}
