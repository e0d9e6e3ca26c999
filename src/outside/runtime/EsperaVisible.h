#pragma once
// A wait for another program, made visible: while a statement waits for another program's lock
// on the company file the pointer is the busy cursor, and the keys and clicks made meanwhile are
// dropped when the wait ends, so that none reaches the work that waited nor a question it asks
// next. The engine calls both at the database layer, for every statement of every window.
namespace vb {

// The first time a statement finds the lock taken.
void EmpiezaEspera();
// When the call that waited returns, whatever its outcome.
void TerminaEspera();
// A wait is under way (between the two calls).
bool EnEspera();

}  // namespace vb
