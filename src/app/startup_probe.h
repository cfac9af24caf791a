#pragma once
class QWidget;

// corvane-config --measure-startup: once the window's scene has painted its first
// frame, prints "first-frame-epoch-ms <ms since 1970> peak-rss-kb <kB>" to standard
// output and ends the event loop. Used by bench/startup.py.
void watchFirstFrame(QWidget* window);
// Called right before the main event loop starts: the probe ends the run only from it.
void markMainLoopStarting();
