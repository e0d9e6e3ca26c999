#pragma once
// A wait for another program, made visible: while a statement waits for another program's lock
// on the company file the pointer is the busy cursor, and the keys and clicks made meanwhile are
// dropped when the wait ends, so that none reaches the work that waited nor a question it asks
// next. The embedded engine calls both when a statement of any window finds the lock taken; on the
// ODBC road, whose driver waits without telling, every statement of a transaction is shown so.
namespace vb {

// The first time a statement finds the lock taken.
void EmpiezaEspera();
// When the call that waited returns, whatever its outcome.
void TerminaEspera();
// A wait is under way (between the two calls).
bool EnEspera();

}  // namespace vb
