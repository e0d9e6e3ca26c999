#pragma once
// What a routine reads decides what it writes or tells. A read of the database object whose
// failure the operator was told of and that he gave up ("Anular") has no answer: its empty result
// is no "no such row". A save holds one of these from the user's key to its transaction and writes
// nothing when a read was given up meanwhile; a check holds one so as not to tell a given-up
// lookup as a fact, nor to clear what the user typed for it. The message the read showed is the
// only one.
//
//     LecturasVigiladas lecturas;                    // where the user's action starts
//     ... checks that read ...
//     if (LecturasVigiladas::Abandonada()) return;   // before the transaction
class LecturasVigiladas {
  public:
    LecturasVigiladas();
    ~LecturasVigiladas();
    LecturasVigiladas(const LecturasVigiladas&) = delete;
    LecturasVigiladas& operator=(const LecturasVigiladas&) = delete;

    // A read was given up since the innermost watch began; false with none.
    static bool Abandonada();
    // Inside a step: a read given up ends the routine as the operator's "Anular" did, through an
    // error its reports answer without showing it again.
    static void SalSiAbandonada();
    // The database object's reads: one was given up after its failure was told.
    static void AnotaAbandonada();

  private:
    long desde_;
    LecturasVigiladas* anterior_;
};
