// What the standings form and the team statistics form share: a query on Class.db shown in a
// read-only grid, best team first, run again each time the form becomes active, with a fault told
// once; the grid's columns titled in the program's language, none cut short.
#pragma once

#include <QDialog>
#include <span>

class DBGrid;

namespace store {
class Query;
}

class ModuloClassifica : public QDialog {
    Q_OBJECT
public:
    ~ModuloClassifica() override;

    // A column of the grid: the field, its Italian title, its designed width in pixels.
    struct Colonna {
        const char *campo;
        const char *titolo;
        int larghezza;
    };

    // Runs the query again, so the grid shows the standings as they are now.
    void FormActivate();

protected:
    ModuloClassifica(QWidget *parent, const QString &nomeModulo, const QString &titolo, const QString &sql);
    bool event(QEvent *event) override;
    // The grid on the query, DBGrid1.
    void CreaGriglia();
    // The columns: titles translated when LINGUA asks for it, each wide enough for its title (the
    // designed widths suit a smaller font than today's desktops use); the last one, the rest turn,
    // in the prints' words rather than the stored "True" and blank.
    void PreparaColonne(std::span<const Colonna> colonne);

    store::Query *Query1 = nullptr;
    DBGrid *DBGrid1 = nullptr;

private:
    QString erroreAttivazione; // the last activation fault told, so that it is told once
};
