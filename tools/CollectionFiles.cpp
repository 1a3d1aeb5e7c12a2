#include "CollectionFiles.h"
#include "CollectionTables.h"

#include "DateText.h"
#include "EngineError.h"
#include "IndexNames.h"
#include "Table.h"
#include "Transactions.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>
#include <memory>

namespace melvora {

namespace {

struct Album {
    const char *artist;
    const char *style;
    QStringList titles;
};

// A collection such as a person keeps: Brazilian and international artists, real-looking titles.
const QVector<Album> &albums()
{
    static const QVector<Album> list = {
        {"Caetano Veloso",
         "MPB",
         {"Transa", "Cinema Transcendental", "Outras Palavras", "Cores, Nomes", "Estrangeiro", "Livro"}},
        {"Gilberto Gil", "MPB", {"Refazenda", "Refavela", "Realce", "Luar", "Quanta"}},
        {"Chico Buarque",
         "MPB",
         {"Construção", "Meus Caros Amigos", "Almanaque", "Vida", "Paratodos", "As Cidades"}},
        {"Elis Regina",
         "MPB",
         {"Falso Brilhante", "Elis & Tom", "Essa Mulher", "Saudade do Brasil", "Transversal do Tempo"}},
        {"Milton Nascimento", "MPB", {"Clube da Esquina", "Minas", "Geraes", "Sentinela", "Travessia"}},
        {"Jorge Ben Jor",
         "Samba-rock",
         {"A Tábua de Esmeralda", "África Brasil", "Solta o Pavão", "Força Bruta", "Ben"}},
        {"Tim Maia", "Soul", {"Racional", "Tim Maia 1971", "Disco Club", "Reencontro", "Nuvens"}},
        {"Marisa Monte",
         "MPB",
         {"Mais", "Verde, Anil, Amarelo", "Memórias, Crônicas", "Barulhinho Bom", "Infinito Particular"}},
        {"Os Mutantes",
         "Rock",
         {"Os Mutantes", "Mutantes", "A Divina Comédia", "Jardim Elétrico", "Tudo Foi Feito Pelo Sol"}},
        {"Legião Urbana",
         "Rock",
         {"Dois", "Que País É Este", "As Quatro Estações", "V", "O Descobrimento do Brasil", "A Tempestade"}},
        {"Titãs",
         "Rock",
         {"Cabeça Dinossauro", "Jesus Não Tem Dentes", "Õ Blésq Blom", "Tudo ao Mesmo Tempo Agora",
          "Domingo"}},
        {"Paralamas do Sucesso",
         "Rock",
         {"Selvagem?", "O Passo do Lui", "Bora Bora", "Big Bang", "Severino"}},
        {"Djavan", "MPB", {"Luz", "Lilás", "Seduzir", "Coisa de Acender", "Malásia", "Novena"}},
        {"João Gilberto",
         "Bossa nova",
         {"Chega de Saudade", "O Amor, o Sorriso e a Flor", "Amoroso", "João Voz e Violão"}},
        {"Tom Jobim",
         "Bossa nova",
         {"Wave", "Stone Flower", "Urubu", "Matita Perê", "Terra Brasilis", "Passarim"}},
        {"Gal Costa", "MPB", {"Fa-Tal", "Índia", "Água Viva", "Fantasia", "Profana"}},
        {"Rita Lee",
         "Rock",
         {"Fruto Proibido", "Entradas e Bandeiras", "Babilônia", "Lança Perfume", "Bombom"}},
        {"Cássia Eller",
         "Rock",
         {"Cássia Eller", "Marginal", "Veneno AntiMonotonia", "Com Você... Meu Mundo Ficaria Completo"}},
        {"The Beatles",
         "Rock",
         {"Revolver", "Abbey Road", "Rubber Soul", "Help!", "Let It Be",
          "Sgt. Pepper's Lonely Hearts Club Band"}},
        {"Pink Floyd",
         "Rock progressivo",
         {"The Dark Side of the Moon", "Wish You Were Here", "Animals", "The Wall", "Meddle"}},
        {"ABBA", "Pop", {"Arrival", "Waterloo", "Voulez-Vous", "Super Trouper", "The Visitors"}},
        {"Queen", "Rock", {"A Night at the Opera", "News of the World", "Jazz", "The Game", "Innuendo"}},
        {"Miles Davis",
         "Jazz",
         {"Kind of Blue", "Sketches of Spain", "Bitches Brew", "Milestones", "'Round About Midnight"}},
        {"Ella Fitzgerald",
         "Jazz",
         {"Ella and Louis", "Ella in Berlin", "Lullabies of Birdland", "Clap Hands"}},
        {"Bob Marley", "Reggae", {"Exodus", "Natty Dread", "Kaya", "Uprising", "Survival"}},
        {"Madonna", "Pop", {"Like a Virgin", "True Blue", "Like a Prayer", "Erotica", "Ray of Light"}},
        {"U2", "Rock", {"The Joshua Tree", "Achtung Baby", "War", "Boy", "Zooropa"}},
        {"Michael Jackson", "Pop", {"Off the Wall", "Thriller", "Bad", "Dangerous"}},
        {"Nirvana", "Grunge", {"Nevermind", "In Utero", "Bleach", "Unplugged in New York"}},
        {"Mercedes Sosa",
         "Folclore",
         {"Canciones con Fundamento", "Mujeres Argentinas", "Gracias a la Vida", "30 Años"}},
        {"Ébano", "Samba", {"Raízes", "Ébano ao Vivo"}},
    };
    return list;
}

const QStringList &songWords()
{
    static const QStringList words = {
        "Amor",  "Saudade", "Mar",      "Noite",   "Sol",    "Lua",     "Coração", "Estrada",
        "Rio",   "Cidade",  "Menina",   "Samba",   "Canção", "Tempo",   "Vento",   "Chuva",
        "Sonho", "Flor",    "Luz",      "Caminho", "Paixão", "Janela",  "Domingo", "Carnaval",
        "Praia", "Estrela", "Silêncio", "Viagem",  "Morena", "Alegria", "Love",    "Night",
        "Road",  "Heart",   "Rain",     "Dream",   "Blue",   "Fire",    "Time",    "River",
    };
    return words;
}

const QStringList &songPatterns()
{
    static const QStringList patterns = {
        "%1", "%1 e %2", "%1 de %2", "O %1", "A %1", "%1 no %2", "Meu %1", "Minha %1",
        "%1 Azul", "%1 Perdido", "Canto de %1", "%1 %2", "Um %1 Qualquer", "Sem %1",
    };
    return patterns;
}

QString songName(QRandomGenerator &rng)
{
    const QStringList &w = songWords();
    const QStringList &p = songPatterns();
    QString s = p[int(rng.bounded(p.size()))];
    s = s.replace("%1", w[int(rng.bounded(w.size()))]).replace("%2", w[int(rng.bounded(w.size()))]);
    return s.left(40);
}

QString dateText(const QDate &d)
{
    return tables::dateToText(d);
}

// The sample's writers name the four tables directly.
struct OpenCollection {
    CollectionTables all;
    tables::Table *artista, *cd, *retirada, *musica;
    explicit OpenCollection(const QString &dir)
        : all(dir), artista(&all.table(0)), cd(&all.table(1)), retirada(&all.table(2)), musica(&all.table(3))
    {
    }
};

void addCd(OpenCollection &c, const QString &artist, const QString &title, const QString &style,
           int number, const QDate &acquired, const QStringList &songs)
{
    c.cd->append();
    c.cd->setFieldText("Titulo", title);
    c.cd->setFieldText("Aquisicao", dateText(acquired));
    c.cd->setFieldText("Artista", artist);
    c.cd->setFieldText("Estilo", style);
    c.cd->setFieldText("Retirada", "N");
    c.cd->setFieldText("Numero", QString::number(number % 1000).rightJustified(3, u'0'));
    c.cd->post();
    for (const QString &song : songs) {
        c.musica->append();
        c.musica->setFieldText("Artista", artist);
        c.musica->setFieldText("Titulo", title);
        c.musica->setFieldText("Musica", song);
        c.musica->post();
    }
}

void lend(OpenCollection &c, const QString &artist, const QString &title, const QString &who,
          const QString &phone, const QDate &taken, const QDate &due)
{
    c.cd->selectIndex(index::iartista_titulo);
    if (!c.cd->findKey({artist, title}))
        return;
    c.cd->edit();
    c.cd->setFieldText("Retirada", "S");
    c.cd->post();
    c.retirada->append();
    c.retirada->setFieldText("Data_Retirada", dateText(taken));
    c.retirada->setFieldText("Responsavel", who);
    c.retirada->setFieldText("Telefone", phone);
    c.retirada->setFieldText("Data_Entrega", dateText(due));
    c.retirada->setFieldText("Titulo", title);
    c.retirada->setFieldText("Artista", artist);
    c.retirada->post();
}

} // namespace

void createEmptyCollection(const QString &dir)
{
    const auto &defs = tableDefinitions();
    for (const auto &def : defs)
        if (QFileInfo::exists(tablePath(dir, def)))
            throw tables::EngineError(QStringLiteral("A tabela %1 já existe em %2 e não será sobrescrita")
                                          .arg(def.fileName, dir));
    for (const auto &def : defs)
        tables::createTableFile(tablePath(dir, def), def.fields);
    CollectionTables(dir).rebuildIndexes();
}

void fillSampleCollection(const QString &dir, const SampleSize &size)
{
    OpenCollection c(dir);
    if (c.artista->recordCount() + c.cd->recordCount() + c.musica->recordCount() + c.retirada->recordCount()
        > 0)
        throw tables::EngineError(QStringLiteral("As tabelas de %1 não estão vazias").arg(dir));
    QRandomGenerator rng(1999);
    const QDate start(1994, 3, 1);
    if (size.cds <= 0) {
        int number = 1;
        for (const Album &a : albums()) {
            c.artista->append();
            c.artista->setFieldText("Artista", a.artist);
            c.artista->post();
            for (const QString &title : a.titles) {
                QStringList songs;
                const int n = 9 + int(rng.bounded(7));
                for (int i = 0; i < n; ++i)
                    songs << songName(rng);
                addCd(c, a.artist, title, a.style, number++, start.addDays(rng.bounded(4000)), songs);
            }
        }
        const QDate today = QDate::currentDate();
        lend(c, "Chico Buarque", "Construção", "Ana Paula Ribeiro", "(11)5555-0142", today.addDays(-10),
             today.addDays(4));
        lend(c, "The Beatles", "Abbey Road", "Marcos Vinícius", "(21)5555-0199", today.addDays(-3),
             today.addDays(11));
        lend(c, "Elis Regina", "Elis & Tom", "Beatriz D'Ávila", "5555-0107", today.addDays(-21),
             today.addDays(-7));
        lend(c, "Pink Floyd", "The Wall", "João Carlos", "(31)5555-0123", today.addDays(-1),
             today.addDays(13));
        lend(c, "ABBA", "Arrival", "Fernanda Lima", "5555-0175", today.addDays(-6), today.addDays(8));
    } else {
        const QStringList &w = songWords();
        const int artists = qMax(1, size.cds / 10);
        QStringList names;
        for (int i = 0; i < artists; ++i) {
            names << QStringLiteral("%1 %2 %3")
                         .arg(w[int(rng.bounded(w.size()))], w[int(rng.bounded(w.size()))])
                         .arg(i + 1);
            c.artista->append();
            c.artista->setFieldText("Artista", names.back());
            c.artista->post();
        }
        for (int i = 0; i < size.cds; ++i) {
            QStringList songs;
            for (int s = 0; s < size.songsPerCd; ++s)
                songs << songName(rng);
            const QString title = QStringLiteral("%1 %2").arg(w[int(rng.bounded(w.size()))]).arg(i + 1);
            addCd(c, names[i % artists], title, "Pop", i + 1, start.addDays(rng.bounded(9000)), songs);
            if (i % 500 == 499)
                tables::commitAll();
        }
    }
    tables::commitAll();
}

} // namespace melvora
