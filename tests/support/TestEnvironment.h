#pragma once
// What every test program does before its first test: a private home and
// XDG tree in a folder of its own, so that no test ever touches the real
// ones.

class QTemporaryDir;

void IsolateTestEnvironment(const QTemporaryDir& home);
