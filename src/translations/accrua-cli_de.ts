<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Usage</name>
    <message>
        <source>usage: accrua-cli COMMAND [OPTIONS]</source>
        <extracomment>The text of accrua-cli --help. Keep command words, option names, value names (P, FILE, monthly, ...) and quoted JSON names as they are; break lines where you like, within 79 columns with the indent.</extracomment>
        <translation>Aufruf: accrua-cli COMMAND [OPTIONS]</translation>
    </message>
    <message>
        <source>Loan and savings calculations, computed exactly as the Accrua window computes
them: each value is typed into its field as a user would type it (with the
user&apos;s decimal separator), the field&apos;s leave check runs, then Calculate.</source>
        <translation>Darlehens- und Sparberechnungen, genau so gerechnet wie im Fenster von Accrua:
Jeder Wert wird in sein Feld getippt, wie ein Benutzer ihn tippen würde (mit
dem Dezimaltrennzeichen des Benutzers), die Prüfung beim Verlassen des Feldes
läuft, dann Berechnen.</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Befehle:</translation>
    </message>
    <message>
        <source>the monthly payment that repays P over the term</source>
        <translation>die monatliche Rate, die P über die Laufzeit tilgt</translation>
    </message>
    <message>
        <source>the number of payments of A that repay P</source>
        <translation>die Anzahl der Raten von A, die P tilgen</translation>
    </message>
    <message>
        <source>the amortization schedule; --answer answers the question whether
to use the number of payments that repays the loan (default yes)</source>
        <translation>der Tilgungsplan; --answer beantwortet die Frage, ob die Anzahl der
Raten gelten soll, die das Darlehen tilgt (Vorgabe yes)</translation>
    </message>
    <message>
        <source>interest over a span of days; dates are ISO 8601 (2026-02-12)</source>
        <translation>Zinsen über eine Spanne von Tagen; Daten in ISO 8601 (2026-02-12)</translation>
    </message>
    <message>
        <source>growth of savings under periodic compounding</source>
        <translation>Wachstum von Ersparnissen bei periodischer Verzinsung</translation>
    </message>
    <message>
        <source>the loan planner: the whole schedule with extra payments, rate
changes, balloons, any payment frequency and compounding, and the
plan&apos;s US APR and EU APRC (see &quot;Planning a loan&quot; below)</source>
        <translation>der Darlehensplaner: der ganze Tilgungsplan mit Sondertilgungen,
Zinsänderungen, Schlussraten, jeder Zahlungsweise und
Zinsverrechnung sowie dem US-APR und dem effektiven Jahreszins (EU)
des Plans (siehe „Ein Darlehen planen“ unten)</translation>
    </message>
    <message>
        <source>the US APR (Regulation Z, Appendix J) and the EU APRC of an advance
repaid by series of payments; a series of one payment needs no
frequency</source>
        <translation>der US-APR (Regulation Z, Appendix J) und der effektive Jahreszins
(EU) eines Darlehens, das in Serien von Raten getilgt wird; eine
Serie aus einer einzigen Rate braucht keine FREQUENCY</translation>
    </message>
    <message>
        <source>print the sixteen stored settings (name, value, whether default),
or store one value</source>
        <translation>die sechzehn gespeicherten Einstellungen ausgeben (Name, Wert, ob
Vorgabe) oder einen Wert speichern</translation>
    </message>
    <message>
        <source>list the header and page records of a report page file (*.ARP)</source>
        <translation>die Kopf- und Seitensätze einer Berichtsseitendatei (*.ARP)
auflisten</translation>
    </message>
    <message>
        <source>draw every page of a report page file; --pdf - writes the PDF
to standard output</source>
        <translation>jede Seite einer Berichtsseitendatei zeichnen; --pdf - schreibt das
PDF auf die Standardausgabe</translation>
    </message>
    <message>
        <source>print the program&apos;s version</source>
        <translation>die Version des Programms ausgeben</translation>
    </message>
    <message>
        <source>Options for the calculations:</source>
        <translation>Optionen der Berechnungen:</translation>
    </message>
    <message>
        <source>print one JSON object: &quot;fields&quot; (each field&apos;s control
name and the exact text the window shows), &quot;rows&quot; (the
schedule: payment, principal, interest, balance texts;
for savings: interest, balance) and &quot;messages&quot; (every
message the window would show, in order, with &quot;kind&quot;,
&quot;text&quot; and, for a question, &quot;answer&quot;)</source>
        <translation>ein JSON-Objekt ausgeben: &quot;fields&quot; (der Name des
Steuerelements jedes Feldes und der genaue Text, den das
Fenster zeigt), &quot;rows&quot; (der Tilgungsplan: Texte von
Rate, Tilgung, Zinsen, Restschuld; beim Sparen: Zinsen,
Guthaben) und &quot;messages&quot; (jede Meldung, die das Fenster
zeigen würde, der Reihe nach, mit &quot;kind&quot;, &quot;text&quot; und bei
einer Frage &quot;answer&quot;)</translation>
    </message>
    <message>
        <source>override a stored setting for this run (repeatable);
nothing is written</source>
        <translation>eine gespeicherte Einstellung für diesen Lauf
überschreiben (wiederholbar); nichts wird geschrieben</translation>
    </message>
    <message>
        <source>overrides PAYMENTRESOLUTION (amount: increase the
payment amount, count: increase the number of payments)</source>
        <translation>überschreibt PAYMENTRESOLUTION (amount: die Rate
erhöhen, count: die Anzahl der Raten erhöhen)</translation>
    </message>
    <message>
        <source>overrides AMORTIZEDBASE for this run</source>
        <translation>überschreibt AMORTIZEDBASE für diesen Lauf</translation>
    </message>
    <message>
        <source>Report outputs of payment, count, amortize, daily and savings:</source>
        <translation>Berichtsausgaben von payment, count, amortize, daily und savings:</translation>
    </message>
    <message>
        <source>write the banded report as a PDF (text stays text)</source>
        <translation>den Bandbericht als PDF schreiben (Text bleibt Text)</translation>
    </message>
    <message>
        <source>write it as a report page file (*.ARP) that Accrua&apos;s
Open shows again</source>
        <translation>ihn als Berichtsseitendatei (*.ARP) schreiben, die
Öffnen in Accrua wieder anzeigt</translation>
    </message>
    <message>
        <source>write the rows with a header line, amounts as plain
numbers with a dot (the schedule with payment dates,
the savings periods, or the daily results); - writes
them to standard output in place of the table</source>
        <translation>die Zeilen mit einer Kopfzeile schreiben, Beträge als
schlichte Zahlen mit Punkt (der Tilgungsplan mit
Zahlungsdaten, die Sparperioden oder die Ergebnisse der
Tageszinsen); - schreibt sie statt der Tabelle auf die
Standardausgabe</translation>
    </message>
    <message>
        <source>write the classic text report as rich text, as the
classic window&apos;s Save writes it after a preview
(USECLASSICVIEW); - writes its lines as plain text to
standard output in place of the table</source>
        <translation>den klassischen Textbericht als Rich Text schreiben, wie
ihn Speichern im klassischen Fenster nach einer Vorschau
schreibt (USECLASSICVIEW); - schreibt seine Zeilen als
reinen Text statt der Tabelle auf die Standardausgabe</translation>
    </message>
    <message>
        <source>loan reports: the origination date (2026-02-12);
default today</source>
        <translation>Darlehensberichte: das Auszahlungsdatum (2026-02-12);
Vorgabe heute</translation>
    </message>
    <message>
        <source>loan reports: the loan&apos;s purpose; default the stored
LOANTYPE</source>
        <translation>Darlehensberichte: der Zweck des Darlehens; Vorgabe das
gespeicherte LOANTYPE</translation>
    </message>
    <message>
        <source>--setting values reach the report too (PRINTTOTALS, PRINTIMAGE, IMAGEPATH,
TITLE, ...). A file is written whole or not at all; a failure names the
file on stderr and exits 1.</source>
        <translation>Werte von --setting gelten auch für den Bericht (PRINTTOTALS, PRINTIMAGE,
IMAGEPATH, TITLE, ...). Eine Datei wird ganz oder gar nicht geschrieben; ein
Fehler nennt die Datei auf stderr und endet mit Status 1.</translation>
    </message>
    <message>
        <source>this text</source>
        <translation>dieser Text</translation>
    </message>
    <message>
        <source>Planning a loan (plan):</source>
        <translation>Ein Darlehen planen (plan):</translation>
    </message>
    <message>
        <source>Amounts and rates are plain numbers (a dot or your decimal separator, no
grouping); dates are ISO 8601 (2026-02-15). A term of years and months
becomes payments at the frequency (weeks: the payments in the term&apos;s days).</source>
        <translation>Beträge und Zinssätze sind schlichte Zahlen (ein Punkt oder Ihr
Dezimaltrennzeichen, keine Tausendertrennzeichen); Daten in ISO 8601
(2026-02-15). Eine Laufzeit aus Jahren und Monaten wird zu Raten in der
Zahlungsweise (Wochen: die Raten in den Tagen der Laufzeit).</translation>
    </message>
    <message>
        <source>monthly (default), semi-monthly, every-2-weeks, weekly,
every-4-weeks, every-2-months, quarterly, semi-annual,
annual</source>
        <translation>monthly (Vorgabe), semi-monthly, every-2-weeks, weekly,
every-4-weeks, every-2-months, quarterly, semi-annual,
annual</translation>
    </message>
    <message>
        <source>same (default: once a payment), daily, or a frequency;
the periodic rate is (1 + R/m)^(m/p) - 1</source>
        <translation>same (Vorgabe: einmal je Rate), daily oder eine
Zahlungsweise; der periodische Zinssatz ist (1 +
R/m)^(m/p) - 1</translation>
    </message>
    <message>
        <source>annuity (a level payment, default) or equal-principal
(principal / payments, plus the interest)</source>
        <translation>annuity (gleichbleibende Rate, Vorgabe) oder
equal-principal (Darlehensbetrag / Raten, plus Zinsen)</translation>
    </message>
    <message>
        <source>the first N payments pay interest only; N = the term:
the principal is due with the last payment</source>
        <translation>die ersten N Raten zahlen nur Zinsen; N = die Laufzeit:
der Darlehensbetrag ist mit der letzten Rate fällig</translation>
    </message>
    <message>
        <source>the level payment of a Y-year loan; the balance is due
with the last payment of the term (a balloon)</source>
        <translation>die gleichbleibende Rate eines Darlehens über Y Jahre;
die Restschuld ist mit der letzten Rate der Laufzeit
fällig (eine Schlussrate)</translation>
    </message>
    <message>
        <source>the payment leaves A due with the last payment</source>
        <translation>die Rate lässt A offen, fällig mit der letzten Rate</translation>
    </message>
    <message>
        <source>A more with every payment from payment K (default 1), or
every E-th payment</source>
        <translation>A zusätzlich mit jeder Rate ab Rate K (Vorgabe 1) oder
mit jeder E-ten Rate</translation>
    </message>
    <message>
        <source>A more with payment K (0: at the advance); repeatable</source>
        <translation>A zusätzlich mit Rate K (0: bei der Auszahlung);
wiederholbar</translation>
    </message>
    <message>
        <source>shorten (keep the payment, end sooner; default) or
lower-payment (keep the term, lower the payment)</source>
        <translation>shorten (Rate behalten, früher enden; Vorgabe) oder
lower-payment (Laufzeit behalten, Rate senken)</translation>
    </message>
    <message>
        <source>from payment K on the rate is R; the payment is worked
out again for the payments left; repeatable</source>
        <translation>ab Rate K ist der Zinssatz R; die Rate wird für die
restlichen Raten neu berechnet; wiederholbar</translation>
    </message>
    <message>
        <source>a plan file saved by the planner window (Tools &gt; Loan
Planner): its selected scenario, or the one --scenario
names, computed as the window computes it; --pdf FILE
writes the plan&apos;s report as the window&apos;s Export PDF does</source>
        <translation>eine Plandatei, die das Planerfenster gespeichert hat
(Extras &gt; Darlehensplaner): ihr ausgewähltes Szenario
oder das, das --scenario nennt, gerechnet wie im
Fenster; --pdf FILE schreibt den Bericht des Plans wie
„PDF exportieren“ im Fenster</translation>
    </message>
    <message>
        <source>a prepaid finance charge paid at the advance: the APR&apos;s
amount financed is the principal less the fee</source>
        <translation>eine bei der Auszahlung gezahlte Gebühr (prepaid finance
charge): der Nettodarlehensbetrag des APR ist der
Darlehensbetrag abzüglich der Gebühr</translation>
    </message>
    <message>
        <source>the advance (default today); --first DATE the first
payment (default one period later)</source>
        <translation>die Auszahlung (Vorgabe heute); --first DATE die erste
Rate (Vorgabe eine Periode später)</translation>
    </message>
    <message>
        <source>one JSON object: payment, payments, lastPayment,
periodicRate, totals, payoff, crossover, apr, aprc,
baseline and saved (with extras), rows, messages</source>
        <translation>ein JSON-Objekt: payment, payments, lastPayment,
periodicRate, totals, payoff, crossover, apr, aprc,
baseline und saved (bei Sondertilgungen), rows, messages</translation>
    </message>
    <message>
        <source>the rows as comma-separated values (- in place of the
table)</source>
        <translation>die Zeilen als kommagetrennte Werte (- statt der
Tabelle)</translation>
    </message>
    <message>
        <source>Every payment and every period&apos;s interest is rounded to cents; the last
payment pays what is left, so the balance ends at exactly 0.00.</source>
        <translation>Jede Rate und die Zinsen jeder Periode werden auf Cent gerundet; die letzte
Rate zahlt, was übrig ist, sodass die Restschuld genau bei 0.00 endet.</translation>
    </message>
    <message>
        <source>Batch requests and results:</source>
        <translation>Stapelanfragen und ihre Ergebnisse:</translation>
    </message>
    <message>
        <source>Each line is a JSON object with &quot;command&quot; (payment, count, amortize, daily,
savings, plan or apr), the command&apos;s options by name with text values as
the command line spells them (a repeated option as a list of texts),
optionally &quot;setting&quot; (an object NAME: &quot;VALUE&quot; for this line) and &quot;id&quot; (any
JSON value, given back with the result):</source>
        <translation>Jede Zeile ist ein JSON-Objekt mit &quot;command&quot; (payment, count, amortize,
daily, savings, plan oder apr), den Optionen des Befehls nach Namen mit
Textwerten, wie die Befehlszeile sie schreibt (eine wiederholte Option als
Liste von Texten), wahlweise &quot;setting&quot; (ein Objekt NAME: &quot;VALUE&quot; für diese
Zeile) und &quot;id&quot; (ein beliebiger JSON-Wert, der mit dem Ergebnis zurückkommt):</translation>
    </message>
    <message>
        <source>A plan or apr line&apos;s result is its --json object on one line, with &quot;exit&quot;
and &quot;id&quot; first.
Each result is one line: the --json object on one line, with &quot;exit&quot; (this
line&apos;s exit status) and the request&apos;s &quot;id&quot;:</source>
        <translation>Das Ergebnis einer Zeile mit plan oder apr ist ihr --json-Objekt in einer
Zeile, mit &quot;exit&quot; und &quot;id&quot; zuerst.
Jedes Ergebnis ist eine Zeile: das --json-Objekt in einer Zeile, mit &quot;exit&quot;
(dem Exit-Status dieser Zeile) und der &quot;id&quot; der Anfrage:</translation>
    </message>
    <message>
        <source>Exit status: 0 the calculation produced results; 1 a check, the calculation
or the settings store refused the input (messages on stderr), a value was
refused as it was typed (nothing is computed with a corrected value), a file
could not be read or written, or standard output could not be written;
2 usage (an option given twice included).</source>
        <translation>Exit-Status: 0 die Berechnung lieferte Ergebnisse; 1 eine Prüfung, die
Berechnung oder der Einstellungsspeicher lehnte die Eingabe ab (Meldungen auf
stderr), ein Wert wurde so, wie er getippt war, abgelehnt (nichts wird mit
einem korrigierten Wert berechnet), eine Datei konnte nicht gelesen oder
geschrieben werden, oder die Standardausgabe konnte nicht geschrieben werden; 2
Aufruffehler (eine doppelt angegebene Option eingeschlossen).</translation>
    </message>
    <message>
        <source>many calculations in one run: one request per line of JSON on
standard input (or in FILE), one result per line on standard
output; the lines&apos; report files go into DIR</source>
        <translation>viele Berechnungen in einem Lauf: eine Anfrage je Zeile JSON auf der
Standardeingabe (oder in FILE), ein Ergebnis je Zeile auf der
Standardausgabe; die Berichtsdateien der Zeilen kommen in DIR</translation>
    </message>
    <message>
        <source>A line that is refused or cannot be read gets its result line with the
reason in &quot;messages&quot; (kind &quot;usage&quot; or &quot;refused&quot;) and the batch goes on;
blank lines are skipped. The stored settings are read once; --setting
applies to every line, a line&apos;s own &quot;setting&quot; over it. --rows none leaves
&quot;rows&quot; out.</source>
        <translation>Eine Zeile, die abgelehnt wird oder nicht gelesen werden kann, bekommt ihre
Ergebniszeile mit dem Grund in &quot;messages&quot; (kind &quot;usage&quot; oder &quot;refused&quot;), und
der Stapel läuft weiter; leere Zeilen werden übersprungen. Die gespeicherten
Einstellungen werden einmal gelesen; --setting gilt für jede Zeile, das
eigene &quot;setting&quot; einer Zeile geht vor. --rows none lässt &quot;rows&quot; weg.</translation>
    </message>
    <message>
        <source>A payment, count, amortize, daily or savings line may ask for report
files: &quot;pdf&quot;, &quot;arp&quot;, &quot;csv&quot; and &quot;classic&quot; name files inside the folder
--output-dir names (&quot;origination&quot; and &quot;purpose&quot; as on the command line):</source>
        <translation>Eine Zeile mit payment, count, amortize, daily oder savings kann
Berichtsdateien verlangen: &quot;pdf&quot;, &quot;arp&quot;, &quot;csv&quot; und &quot;classic&quot; nennen Dateien
in dem Ordner, den --output-dir angibt (&quot;origination&quot; und &quot;purpose&quot; wie auf
der Befehlszeile):</translation>
    </message>
    <message>
        <source>Each file is written whole or not at all, and the result lists those
written in &quot;outputs&quot;. A line without --output-dir, with a name that leaves
the folder (an absolute path, &quot;..&quot;, a link out of it) or two outputs
naming one file is refused (kind &quot;usage&quot;), a name in a folder that is not
there too (kind &quot;refused&quot;: folders are not made). A file that cannot be
written is named in the line&apos;s &quot;messages&quot; (kind &quot;error&quot;, &quot;exit&quot; 1); the
line&apos;s later files are not written, files written before stay whole. A
later line writing the same file as an earlier one replaces it. With
--output-dir the whole batch runs in accrua-cli-draw, one process for
every PDF.</source>
        <translation>Jede Datei wird ganz oder gar nicht geschrieben, und das Ergebnis nennt die
geschriebenen in &quot;outputs&quot;. Eine Zeile ohne --output-dir, mit einem Namen,
der den Ordner verlässt (ein absoluter Pfad, &quot;..&quot;, ein Link hinaus), oder
mit zwei Ausgaben, die dieselbe Datei nennen, wird abgelehnt (kind &quot;usage&quot;),
ebenso ein Name in einem Ordner, den es nicht gibt (kind &quot;refused&quot;: Ordner
werden nicht angelegt). Eine Datei, die nicht geschrieben werden kann, steht
in den &quot;messages&quot; der Zeile (kind &quot;error&quot;, &quot;exit&quot; 1); die späteren Dateien
der Zeile werden nicht geschrieben, früher geschriebene bleiben ganz. Eine
spätere Zeile, die dieselbe Datei schreibt wie eine frühere, ersetzt sie.
Mit --output-dir läuft der ganze Stapel in accrua-cli-draw, ein Prozess für
alle PDFs.</translation>
    </message>
    <message>
        <source>the folder the lines&apos; report files go into</source>
        <translation>der Ordner, in den die Berichtsdateien der Zeilen kommen</translation>
    </message>
    <message>
        <source>Exit status of the batch: 0 every line was read, 2 usage or input that
could not be read, 1 standard output or a report file could not be
written.</source>
        <translation>Exit-Status des Stapels: 0 jede Zeile wurde gelesen, 2 Aufruffehler oder
Eingabe, die nicht gelesen werden konnte, 1 die Standardausgabe oder eine
Berichtsdatei konnte nicht geschrieben werden.</translation>
    </message>
</context>
</TS>
