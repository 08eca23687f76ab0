#pragma once
// CPU time and messages while the host sits idle: the bare emulator, and the
// plug-in after initialisation and after a finished ticker pass.
namespace wine_bench {

// The bare emulator's idle figures; run before the plug-in is ever loaded
// into this process, so nothing of it lingers. False when it did not run.
bool MeasureBareIdle();

// The plug-in's idle figures against the bare ones, with the budget lines.
bool IdleBench(int serverPort);

}  // namespace wine_bench
