<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>accrua::app::Application</name>
    <message>
        <source>There is not enough memory to complete the operation.</source>
        <translation>Für diesen Vorgang ist nicht genügend Arbeitsspeicher vorhanden.</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>accrua::app::Fields</name>
    <message>
        <source>Start Date:</source>
        <translation>Startdatum:</translation>
    </message>
    <message>
        <source>Receive Date:</source>
        <translation>Eingangsdatum:</translation>
    </message>
    <message>
        <source>Compounded</source>
        <translation>Verzinsung</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>Bi-Yearly</source>
        <translation>Halbjährlich</translation>
    </message>
    <message>
        <source>Quarterly</source>
        <translation>Vierteljährlich</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Principal Balance:</source>
        <translation>Darlehensbetrag:</translation>
    </message>
    <message>
        <source>Interest Rate:</source>
        <translation>Zinssatz:</translation>
    </message>
    <message>
        <source>Payment Amount:</source>
        <translation>Ratenhöhe:</translation>
    </message>
    <message>
        <source>Number of Years</source>
        <translation>Anzahl Jahre</translation>
    </message>
    <message>
        <source>Number of Months:</source>
        <translation>Anzahl Monate:</translation>
    </message>
    <message>
        <source>Total Payments Paid:</source>
        <translation>Summe der Raten:</translation>
    </message>
    <message>
        <source>Total Principal Paid:</source>
        <translation>Summe der Tilgung:</translation>
    </message>
    <message>
        <source>Total Interest Paid:</source>
        <translation>Summe der Zinsen:</translation>
    </message>
    <message>
        <source>Total Number of Payments:</source>
        <translation>Anzahl der Raten:</translation>
    </message>
    <message>
        <source>Years:</source>
        <translation>Jahre:</translation>
    </message>
    <message>
        <source>Months:</source>
        <translation>Monate:</translation>
    </message>
    <message>
        <source>Number of Days:</source>
        <translation>Anzahl Tage:</translation>
    </message>
    <message>
        <source>Daily Rate:</source>
        <translation>Tageszinssatz:</translation>
    </message>
    <message>
        <source>Interest Per Period:</source>
        <translation>Zinsen je Periode:</translation>
    </message>
    <message>
        <source>Principal Payment:</source>
        <translation>Tilgungsanteil:</translation>
    </message>
    <message>
        <source>Interest Accrued:</source>
        <translation>Aufgelaufene Zinsen:</translation>
    </message>
    <message>
        <source>Remaining Balance:</source>
        <translation>Restschuld:</translation>
    </message>
    <message>
        <source>Beginning Balance:</source>
        <translation>Anfangsguthaben:</translation>
    </message>
    <message>
        <source>Ending Balance:</source>
        <translation>Endguthaben:</translation>
    </message>
</context>
<context>
    <name>accrua::app::MainModel</name>
    <message>
        <source>&quot;%1&quot; is not a valid value!</source>
        <translation>„%1“ ist kein gültiger Wert!</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>„%1“ ist keine gültige Gleitkommazahl</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>„%1“ ist keine gültige ganze Zahl</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid number of %2!</source>
        <translation>„%1“ ist keine gültige Anzahl von %2!</translation>
    </message>
    <message>
        <source>You must enter the %1 in order to continue!</source>
        <translation>Bitte geben Sie %1 ein, um fortzufahren!</translation>
    </message>
    <message>
        <source>You must enter the number of years and/or months in order to continue!</source>
        <translation>Bitte geben Sie die Anzahl der Jahre und/oder Monate ein, um fortzufahren!</translation>
    </message>
    <message>
        <source>The amount %1 is too large to calculate with.</source>
        <translation>Der Betrag %1 ist zu groß, um damit zu rechnen.</translation>
    </message>
    <message>
        <source>principal balance</source>
        <translation>den Darlehensbetrag</translation>
    </message>
    <message>
        <source>interest rate</source>
        <translation>den Zinssatz</translation>
    </message>
    <message>
        <source>years</source>
        <translation>Jahren</translation>
    </message>
    <message>
        <source>months</source>
        <translation>Monaten</translation>
    </message>
    <message>
        <source>payment amount</source>
        <translation>die Ratenhöhe</translation>
    </message>
    <message>
        <source>The rate %1 is too small to calculate with.</source>
        <translation>Der Zinssatz %1 ist zu klein, um damit zu rechnen.</translation>
    </message>
    <message>
        <source>A loan of %1 at %2% interest with a payment of %3 would need more than %4 payments.</source>
        <translation>Ein Darlehen über %1 zu %2 % Zinsen mit einer Rate von %3 bräuchte mehr als %4 Raten.</translation>
    </message>
    <message>
        <source>A loan of %1 cannot be paid off with a payment of %2</source>
        <translation>Ein Darlehen über %1 kann mit einer Rate von %2 nicht getilgt werden</translation>
    </message>
    <message>
        <source>A loan of %1 at %2% interest with a payment of %3 can be completely extinguished with %4 payments. Do you want to set the number of payments to %4 for this amortization?</source>
        <translation>Ein Darlehen über %1 zu %2 % Zinsen mit einer Rate von %3 ist mit %4 Raten vollständig getilgt. Soll die Anzahl der Raten für diesen Tilgungsplan auf %4 gesetzt werden?</translation>
    </message>
    <message>
        <source>A loan of %1 at %2% interest is too large to calculate with.</source>
        <translation>Ein Darlehen über %1 zu %2 % Zinsen ist zu groß, um damit zu rechnen.</translation>
    </message>
    <message>
        <source>A loan of %1 at %2% interest with a payment of %3 is too large to calculate with.</source>
        <translation>Ein Darlehen über %1 zu %2 % Zinsen mit einer Rate von %3 ist zu groß, um damit zu rechnen.</translation>
    </message>
    <message>
        <source>The start date must be prior to or equal to the end date for calculating daily interest.</source>
        <translation>Für die Berechnung der Tageszinsen darf das Startdatum nicht nach dem Enddatum liegen.</translation>
    </message>
    <message>
        <source>days</source>
        <translation>Tagen</translation>
    </message>
    <message>
        <source>You must enter a valid number of days in order to continue!</source>
        <translation>Bitte geben Sie eine gültige Anzahl von Tagen ein, um fortzufahren!</translation>
    </message>
    <message>
        <source>The stored day base (AMORTIZEDBASE) is %1; the number of days in a year must be greater than zero to calculate daily interest.</source>
        <translation>Die gespeicherte Tagesbasis (AMORTIZEDBASE) ist %1; für die Berechnung der Tageszinsen muss die Anzahl der Tage im Jahr größer als null sein.</translation>
    </message>
    <message>
        <source>A balance of %1 at %2% interest compounded %3 times per year for %4 years and %5 months would need more than %6 periods.</source>
        <translation>Ein Guthaben von %1 zu %2 % Zinsen bei %3 Zinsgutschriften im Jahr über %4 Jahre und %5 Monate bräuchte mehr als %6 Perioden.</translation>
    </message>
    <message>
        <source>beginning balance</source>
        <translation>das Anfangsguthaben</translation>
    </message>
    <message>
        <source>0!</source>
        <translation>0 sein!</translation>
    </message>
    <message>
        <source>0 or 6!</source>
        <translation>0 oder 6 sein!</translation>
    </message>
    <message>
        <source>0, 3, 6, or 9!</source>
        <translation>0, 3, 6 oder 9 sein!</translation>
    </message>
    <message>
        <source>a number &gt;= 0 and &lt;= 11!</source>
        <translation>eine Zahl &gt;= 0 und &lt;= 11 sein!</translation>
    </message>
    <message>
        <source>When calculating the interest earned on a loan compounded %1 times per year,
the number of months must be %2</source>
        <translation>Bei der Zinsberechnung mit %1 Zinsgutschriften im Jahr
muss die Anzahl der Monate %2</translation>
    </message>
</context>
<context>
    <name>accrua::app::StartOptions</name>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option „%1“</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument „%1“</translation>
    </message>
    <message>
        <source>Usage: accrua [options]
Accrua %1, a calculator for loans and savings.

Options:
  --no-splash     start without the four-second splash screen
  --planner       open a loan planner window beside the main window
  -h, --help      show this help and exit
  -v, --version   show the version and exit

Qt&apos;s own options, such as -platform and -style, are accepted as well.
The same calculations run from the command line with accrua-cli.
</source>
        <translation>Aufruf: accrua [Optionen]
Accrua %1, ein Rechner für Darlehen und Sparpläne.

Optionen:
  --no-splash     ohne den vier Sekunden langen Startbildschirm starten
  --planner       neben dem Hauptfenster ein Fenster des Darlehensplaners öffnen
  -h, --help      diese Hilfe anzeigen und beenden
  -v, --version   die Version anzeigen und beenden

Qts eigene Optionen wie -platform und -style werden ebenfalls angenommen.
Dieselben Berechnungen führt accrua-cli auf der Kommandozeile aus.
</translation>
    </message>
    <message>
        <source>accrua: %1
Try &apos;accrua --help&apos; for more information.
</source>
        <translation>accrua: %1
„accrua --help“ zeigt weitere Informationen.
</translation>
    </message>
</context>
<context>
    <name>accrua::app::TForm_AboutBox</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>accrua::app::TForm_Main</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <source>P&amp;rint Preview...        [F2]</source>
        <translation>Druck&amp;vorschau...        [F2]</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Optionen...</translation>
    </message>
    <message>
        <source>&amp;Calculate</source>
        <translation>Be&amp;rechnen</translation>
    </message>
    <message>
        <source>&amp;Payment Amount</source>
        <translation>&amp;Ratenhöhe</translation>
    </message>
    <message>
        <source>&amp;Number of Payments</source>
        <translation>&amp;Anzahl der Raten</translation>
    </message>
    <message>
        <source>&amp;Amortization Schedule</source>
        <translation>&amp;Tilgungsplan</translation>
    </message>
    <message>
        <source>&amp;Daily Interest</source>
        <translation>Tages&amp;zinsen</translation>
    </message>
    <message>
        <source>&amp;Savings Interest</source>
        <translation>&amp;Sparzinsen</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Use Defaults</source>
        <translation>&amp;Standardwerte verwenden</translation>
    </message>
    <message>
        <source>Stay On Top</source>
        <translation>Immer im Vordergrund</translation>
    </message>
    <message>
        <source>Loan &amp;Planner...</source>
        <translation>Darlehens&amp;planer...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Contents...</source>
        <translation>Inhalt...</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>Ü&amp;ber...</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Druckvorschau</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Calculate</source>
        <translation>Berechnen</translation>
    </message>
    <message>
        <source>Loan Planner</source>
        <translation>Darlehensplaner</translation>
    </message>
    <message>
        <source>Accrua Topics</source>
        <translation>Accrua-Themen</translation>
    </message>
    <message>
        <source>Payment Amount</source>
        <translation>Ratenhöhe</translation>
    </message>
    <message>
        <source>Number Of Payments</source>
        <translation>Anzahl Raten</translation>
    </message>
    <message>
        <source>Amortization</source>
        <translation>Tilgungsplan</translation>
    </message>
    <message>
        <source>Daily Interest</source>
        <translation>Tageszinsen</translation>
    </message>
    <message>
        <source>Savings Interest</source>
        <translation>Sparzinsen</translation>
    </message>
    <message>
        <source>Length of Loan</source>
        <translation>Laufzeit</translation>
    </message>
    <message>
        <source>Working...</source>
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <source>Enter Values</source>
        <translation>Eingaben</translation>
    </message>
    <message>
        <source>Totals</source>
        <translation>Summen</translation>
    </message>
</context>
<context>
    <name>accrua::desktop</name>
    <message>
        <source>Version %1 </source>
        <translation>Version %1 </translation>
    </message>
    <message>
        <source>THE VENDOR</source>
        <translation>DER ANBIETER</translation>
    </message>
    <message>
        <source>THIS SOFTWARE IS PROVIDED BY %1 &quot;AS IS&quot;, WITHOUT WARRANTY OF ANY KIND, EXPRESS OR IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY AND FITNESS FOR A PARTICULAR PURPOSE. THE RESULTS OF EVERY CALCULATION ARE ESTIMATES; CONFIRM THEM WITH YOUR LENDER OR FINANCIAL INSTITUTION BEFORE YOU RELY ON THEM. IN NO EVENT SHALL %1 BE LIABLE FOR ANY DIRECT, INDIRECT, INCIDENTAL, SPECIAL OR CONSEQUENTIAL DAMAGES ARISING OUT OF THE USE OF, OR THE INABILITY TO USE, THIS SOFTWARE, EVEN IF %1 HAS BEEN ADVISED OF THE POSSIBILITY OF SUCH DAMAGES.</source>
        <translation>DIESE SOFTWARE WIRD VON %1 „WIE BESEHEN“ BEREITGESTELLT, OHNE JEGLICHE AUSDRÜCKLICHE ODER STILLSCHWEIGENDE GEWÄHRLEISTUNG, EINSCHLIESSLICH, ABER NICHT BESCHRÄNKT AUF DIE GEWÄHRLEISTUNG DER MARKTGÄNGIGKEIT UND DER EIGNUNG FÜR EINEN BESTIMMTEN ZWECK. DIE ERGEBNISSE JEDER BERECHNUNG SIND SCHÄTZWERTE; LASSEN SIE SIE VON IHREM KREDITGEBER ODER FINANZINSTITUT BESTÄTIGEN, BEVOR SIE SICH DARAUF VERLASSEN. IN KEINEM FALL HAFTET %1 FÜR DIREKTE, INDIREKTE, ZUFÄLLIGE, BESONDERE ODER FOLGESCHÄDEN, DIE AUS DER NUTZUNG ODER DER UNMÖGLICHKEIT DER NUTZUNG DIESER SOFTWARE ENTSTEHEN, SELBST WENN %1 AUF DIE MÖGLICHKEIT SOLCHER SCHÄDEN HINGEWIESEN WURDE.</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
</context>
<context>
    <name>accrua::desktop::DateField</name>
    <message>
        <source>Calendar (Alt+Down)</source>
        <translation>Kalender (Alt+Unten)</translation>
    </message>
</context>
<context>
    <name>accrua::desktop::MessageBox</name>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Abort</source>
        <translation>Ab&amp;brechen</translation>
    </message>
    <message>
        <source>&amp;Retry</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Ignore</source>
        <translation>&amp;Ignorieren</translation>
    </message>
    <message>
        <source>&amp;All</source>
        <translation>&amp;Alle</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>Nein für a&amp;lle</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>Ja für all&amp;e</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
</context>
<context>
    <name>accrua::help</name>
    <message>
        <source>Help Topics: %1 Help</source>
        <translation>Hilfethemen: %1-Hilfe</translation>
    </message>
    <message>
        <source>%1 Help :  %2</source>
        <translation>%1-Hilfe :  %2</translation>
    </message>
    <message>
        <source>%1 Help...</source>
        <translation>%1-Hilfe...</translation>
    </message>
    <message>
        <source>Help page not found</source>
        <translation>Hilfeseite nicht gefunden</translation>
    </message>
    <message>
        <source>The help page &lt;b&gt;%1&lt;/b&gt; does not exist. Reinstalling Accrua puts the help pages back in place.</source>
        <translation>Die Hilfeseite &lt;b&gt;%1&lt;/b&gt; ist nicht vorhanden. Eine Neuinstallation von Accrua stellt die Hilfeseiten wieder her.</translation>
    </message>
    <message>
        <source>Help page not shown</source>
        <translation>Hilfeseite nicht angezeigt</translation>
    </message>
    <message>
        <source>The help page &lt;b&gt;%1&lt;/b&gt; cannot be shown: %2.</source>
        <translation>Die Hilfeseite &lt;b&gt;%1&lt;/b&gt; kann nicht angezeigt werden: %2.</translation>
    </message>
</context>
<context>
    <name>accrua::help::TForm_HelpForm</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Print Topic</source>
        <translation>Thema &amp;drucken</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Help &amp;Topics</source>
        <translation>Hilfe&amp;themen</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>D&amp;rucken</translation>
    </message>
</context>
<context>
    <name>accrua::help::TForm_HelpMenu</name>
    <message>
        <source>Help Topics :</source>
        <translation>Hilfethemen :</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Click the index entry you want and then click Display</source>
        <translation>Klicken Sie auf den gewünschten Indexeintrag und dann auf Anzeigen</translation>
    </message>
    <message>
        <source>&amp;Display</source>
        <translation>&amp;Anzeigen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
</context>
<context>
    <name>accrua::reports::banded</name>
    <message>
        <source>&apos;%1&apos; is not a valid date</source>
        <translation>„%1“ ist kein gültiges Datum</translation>
    </message>
    <message>
        <source>There are no pages to write.</source>
        <translation>Es gibt keine Seiten zu schreiben.</translation>
    </message>
    <message>
        <source>Page %1 is missing.</source>
        <translation>Seite %1 fehlt.</translation>
    </message>
    <message>
        <source>Page %1 cannot be drawn: %2</source>
        <translation>Seite %1 kann nicht gezeichnet werden: %2</translation>
    </message>
    <message>
        <source>Cannot create &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>accrua::reports::banded::TForm_Reports</name>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>PMT</source>
        <translation>NR.</translation>
    </message>
    <message>
        <source>DATE</source>
        <translation>DATUM</translation>
    </message>
    <message>
        <source>PAYMENT AMOUNT</source>
        <translation>RATE</translation>
    </message>
    <message>
        <source>PRINCIPAL</source>
        <translation>TILGUNG</translation>
    </message>
    <message>
        <source>INTEREST</source>
        <translation>ZINSEN</translation>
    </message>
    <message>
        <source>BALANCE</source>
        <translation>RESTSCHULD</translation>
    </message>
    <message>
        <source>Amortization Schedule</source>
        <translation>Tilgungsplan</translation>
    </message>
    <message>
        <source>LOAN TYPE</source>
        <translation>DARLEHENSART</translation>
    </message>
    <message>
        <source>INTEREST RATE:</source>
        <translation>ZINSSATZ:</translation>
    </message>
    <message>
        <source>NUMBER OF PAYMENTS:</source>
        <translation>ANZAHL RATEN:</translation>
    </message>
    <message>
        <source>AMORTIZED BASE:</source>
        <translation>TAGESBASIS:</translation>
    </message>
    <message>
        <source>BEGINNING BALANCE:</source>
        <translation>ANFANGSBETRAG:</translation>
    </message>
    <message>
        <source>MONTHLY PAYMENT:</source>
        <translation>MONATSRATE:</translation>
    </message>
    <message>
        <source>ORIGINATION DATE:</source>
        <translation>AUSZAHLUNGSDATUM:</translation>
    </message>
    <message>
        <source>YEARLY TOTALS</source>
        <translation>JAHRESSUMMEN</translation>
    </message>
    <message>
        <source>OVERALL TOTALS</source>
        <translation>GESAMTSUMMEN</translation>
    </message>
    <message>
        <source>YEAR</source>
        <translation>JAHR</translation>
    </message>
    <message>
        <source>Compounded Interest</source>
        <translation>Zinseszins</translation>
    </message>
    <message>
        <source>Subtitle</source>
        <translation>Untertitel</translation>
    </message>
    <message>
        <source>ENDING BALANCE:</source>
        <translation>ENDGUTHABEN:</translation>
    </message>
    <message>
        <source>Daily Interest</source>
        <translation>Tageszinsen</translation>
    </message>
    <message>
        <source> Daily Interest</source>
        <translation> Tageszinsen</translation>
    </message>
    <message>
        <source>SubTitle</source>
        <translation>Untertitel</translation>
    </message>
    <message>
        <source>START DATE:</source>
        <translation>STARTDATUM:</translation>
    </message>
    <message>
        <source>RECEIVE DATE:</source>
        <translation>EINGANGSDATUM:</translation>
    </message>
    <message>
        <source>TOTAL DAYS:</source>
        <translation>ANZAHL TAGE:</translation>
    </message>
    <message>
        <source>ANNUAL INTEREST RATE:</source>
        <translation>JAHRESZINSSATZ:</translation>
    </message>
    <message>
        <source>DAILY INTEREST RATE:</source>
        <translation>TAGESZINSSATZ:</translation>
    </message>
    <message>
        <source>PAYMENT AMOUNT:</source>
        <translation>RATE:</translation>
    </message>
    <message>
        <source>INTEREST PAYMENT:</source>
        <translation>ZINSANTEIL:</translation>
    </message>
    <message>
        <source>PRINCIPAL PAYMENT:</source>
        <translation>TILGUNGSANTEIL:</translation>
    </message>
    <message>
        <source>INTEREST ACCRUED:</source>
        <translation>AUFGELAUFENE ZINSEN:</translation>
    </message>
    <message>
        <source>REMAINING BALANCE:</source>
        <translation>RESTSCHULD:</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Bericht</translation>
    </message>
</context>
<context>
    <name>accrua::reports::classic</name>
    <message>
        <source>a line is longer than %1 characters</source>
        <translation>eine Zeile ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>it is larger than 64 MiB</source>
        <translation>sie ist größer als 64 MiB</translation>
    </message>
    <message>
        <source>Cannot save &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Cannot open &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is larger than 64 MiB and is not opened as a classic report.</source>
        <translation>„%1“ ist größer als 64 MiB und wird nicht als klassischer Bericht geöffnet.</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read as a classic report: %2</source>
        <translation>„%1“ kann nicht als klassischer Bericht gelesen werden: %2</translation>
    </message>
    <message>
        <source>the file ends before its groups are closed</source>
        <translation>die Datei endet, bevor ihre Gruppen geschlossen sind</translation>
    </message>
    <message>
        <source>groups are nested more than %1 deep</source>
        <translation>Gruppen sind mehr als %1 Ebenen tief verschachtelt</translation>
    </message>
    <message>
        <source>a group is closed that was never opened</source>
        <translation>eine Gruppe wird geschlossen, die nie geöffnet wurde</translation>
    </message>
    <message>
        <source>the file ends inside a control word</source>
        <translation>die Datei endet mitten in einem Steuerwort</translation>
    </message>
    <message>
        <source>the file ends inside a \&apos; escape</source>
        <translation>die Datei endet mitten in einer \&apos;-Maskierung</translation>
    </message>
    <message>
        <source>a \&apos; escape without two hexadecimal digits</source>
        <translation>eine \&apos;-Maskierung ohne zwei Hexadezimalziffern</translation>
    </message>
    <message>
        <source>a control word is longer than %1 letters</source>
        <translation>ein Steuerwort ist länger als %1 Buchstaben</translation>
    </message>
    <message>
        <source>a number has more than %1 digits</source>
        <translation>eine Zahl hat mehr als %1 Ziffern</translation>
    </message>
    <message>
        <source>a number is out of range</source>
        <translation>eine Zahl liegt außerhalb des zulässigen Bereichs</translation>
    </message>
    <message>
        <source>binary data runs past the end of the file</source>
        <translation>Binärdaten reichen über das Dateiende hinaus</translation>
    </message>
    <message>
        <source>it has more than %1 lines</source>
        <translation>sie hat mehr als %1 Zeilen</translation>
    </message>
</context>
<context>
    <name>accrua::reports::classic::Report</name>
    <message>
        <source>PMT</source>
        <translation>NR.</translation>
    </message>
    <message>
        <source>DATE</source>
        <translation>DATUM</translation>
    </message>
    <message>
        <source>PAYMENT AMOUNT</source>
        <translation>RATE</translation>
    </message>
    <message>
        <source>PRINCIPAL</source>
        <translation>TILGUNG</translation>
    </message>
    <message>
        <source>INTEREST</source>
        <translation>ZINSEN</translation>
    </message>
    <message>
        <source>BALANCE</source>
        <translation>RESTSCHULD</translation>
    </message>
    <message>
        <source>YEAR</source>
        <translation>JAHR</translation>
    </message>
    <message>
        <source>Amortization Schedule</source>
        <translation>Tilgungsplan</translation>
    </message>
    <message>
        <source>INTEREST RATE:</source>
        <translation>ZINSSATZ:</translation>
    </message>
    <message>
        <source>BEGINNING BALANCE:</source>
        <translation>ANFANGSBETRAG:</translation>
    </message>
    <message>
        <source>NUMBER OF PAYMENTS:</source>
        <translation>ANZAHL RATEN:</translation>
    </message>
    <message>
        <source>MONTHLY PAYMENT:</source>
        <translation>MONATSRATE:</translation>
    </message>
    <message>
        <source>ORIGINATION DATE:</source>
        <translation>AUSZAHLUNGSDATUM:</translation>
    </message>
    <message>
        <source>AMORTIZED BASE:</source>
        <translation>TAGESBASIS:</translation>
    </message>
    <message>
        <source>YEARLY TOTALS</source>
        <translation>JAHRESSUMMEN</translation>
    </message>
    <message>
        <source>OVERALL TOTALS</source>
        <translation>GESAMTSUMMEN</translation>
    </message>
    <message>
        <source>Interest Earned on Deposit</source>
        <translation>Zinsertrag der Einlage</translation>
    </message>
    <message>
        <source>AMOUNT DEPOSITED:</source>
        <translation>EINLAGE:</translation>
    </message>
    <message>
        <source>Daily Interest Results</source>
        <translation>Ergebnis der Tageszinsen</translation>
    </message>
    <message>
        <source>Start Date : </source>
        <translation>Startdatum : </translation>
    </message>
    <message>
        <source>Receive Date : </source>
        <translation>Eingangsdatum : </translation>
    </message>
    <message>
        <source>Total Days : </source>
        <translation>Anzahl Tage : </translation>
    </message>
    <message>
        <source>Annual Interest Rate : </source>
        <translation>Jahreszinssatz : </translation>
    </message>
    <message>
        <source>Daily Interest Rate : </source>
        <translation>Tageszinssatz : </translation>
    </message>
    <message>
        <source>Beginning Balance : </source>
        <translation>Anfangsbetrag : </translation>
    </message>
    <message>
        <source>Payment Amount: </source>
        <translation>Rate: </translation>
    </message>
    <message>
        <source>Interest Payment : </source>
        <translation>Zinsanteil : </translation>
    </message>
    <message>
        <source>Principal Payment : </source>
        <translation>Tilgungsanteil : </translation>
    </message>
    <message>
        <source>Interest Accrued : </source>
        <translation>Aufgelaufene Zinsen : </translation>
    </message>
    <message>
        <source>Remaining Balance : </source>
        <translation>Restschuld : </translation>
    </message>
</context>
<context>
    <name>accrua::reports::classic::TForm_OldPreview</name>
    <message>
        <source>Print Preview</source>
        <translation>Druckvorschau</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Öffnen...</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>The report could not be printed on &quot;%1&quot;.</source>
        <translation>Der Bericht konnte nicht auf „%1“ gedruckt werden.</translation>
    </message>
</context>
<context>
    <name>accrua::reports::commands</name>
    <message>
        <source>The report could not be made.</source>
        <translation>Der Bericht konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>it is missing</source>
        <translation>sie fehlt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is damaged and cannot be opened: page %2 of %3 cannot be read (%4).</source>
        <translation>„%1“ ist beschädigt und kann nicht geöffnet werden: Seite %2 von %3 ist nicht lesbar (%4).</translation>
    </message>
    <message>
        <source>There is no printer to print on.</source>
        <translation>Es ist kein Drucker vorhanden, auf dem gedruckt werden kann.</translation>
    </message>
    <message>
        <source>There are no pages to print.</source>
        <translation>Es gibt keine Seiten zu drucken.</translation>
    </message>
    <message>
        <source>Page %1 is missing.</source>
        <translation>Seite %1 fehlt.</translation>
    </message>
    <message>
        <source>Page %1 cannot be printed: %2</source>
        <translation>Seite %1 kann nicht gedruckt werden: %2</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;.</source>
        <translation>„%1“ kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; cannot be used.</source>
        <translation>Der Drucker „%1“ kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>The printer stopped before page %1.</source>
        <translation>Der Drucker hat vor Seite %1 aufgehört.</translation>
    </message>
    <message>
        <source>Printing did not complete.</source>
        <translation>Der Druck wurde nicht abgeschlossen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid date!</source>
        <translation>„%1“ ist kein gültiges Datum!</translation>
    </message>
</context>
<context>
    <name>accrua::reports::preview::TForm_Preview</name>
    <message>
        <source>Print Preview</source>
        <translation>Druckvorschau</translation>
    </message>
    <message>
        <source>Zoom to Fit</source>
        <translation>Ganze Seite</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Zoom to Width</source>
        <translation>Seitenbreite</translation>
    </message>
    <message>
        <source>First Page</source>
        <translation>Erste Seite</translation>
    </message>
    <message>
        <source>Previous Page</source>
        <translation>Vorherige Seite</translation>
    </message>
    <message>
        <source>Next Page</source>
        <translation>Nächste Seite</translation>
    </message>
    <message>
        <source>Last Page</source>
        <translation>Letzte Seite</translation>
    </message>
    <message>
        <source>Printer Setup</source>
        <translation>Druckereinrichtung</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>The report is not complete; nothing was printed.</source>
        <translation>Der Bericht ist nicht vollständig; es wurde nichts gedruckt.</translation>
    </message>
    <message>
        <source>The report is not complete; &quot;%1&quot; was not saved.</source>
        <translation>Der Bericht ist nicht vollständig; „%1“ wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; does not exist</source>
        <translation>Die Datei „%1“ ist nicht vorhanden</translation>
    </message>
</context>
<context>
    <name>accrua::settings::AppSettings</name>
    <message>
        <source>Compounded Interest</source>
        <translation>Zinseszins</translation>
    </message>
    <message>
        <source>Daily Interest</source>
        <translation>Tageszinsen</translation>
    </message>
    <message>
        <source>Amortization Schedule</source>
        <translation>Tilgungsplan</translation>
    </message>
    <message>
        <source>GENERAL LOAN</source>
        <translation>ALLGEMEINES DARLEHEN</translation>
    </message>
    <message>
        <source>AUTO LOAN</source>
        <translation>AUTOKREDIT</translation>
    </message>
    <message>
        <source>BOAT LOAN</source>
        <translation>BOOTSKREDIT</translation>
    </message>
    <message>
        <source>HOME LOAN</source>
        <translation>BAUFINANZIERUNG</translation>
    </message>
    <message>
        <source>MORTGAGE LOAN</source>
        <translation>HYPOTHEKENDARLEHEN</translation>
    </message>
    <message>
        <source>PERSONAL LOAN</source>
        <translation>PRIVATKREDIT</translation>
    </message>
    <message>
        <source>SIGNATURE LOAN</source>
        <translation>BLANKOKREDIT</translation>
    </message>
</context>
<context>
    <name>accrua::settings::OpenPictureDialog</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>(None)</source>
        <translation>(Keines)</translation>
    </message>
</context>
<context>
    <name>accrua::settings::Options</name>
    <message>
        <source>Increase the payment amount</source>
        <translation>Ratenhöhe erhöhen</translation>
    </message>
    <message>
        <source>Increase the number of payments</source>
        <translation>Anzahl der Raten erhöhen</translation>
    </message>
</context>
<context>
    <name>accrua::settings::SettingsStore</name>
    <message>
        <source>The settings file %1 cannot be read: %2</source>
        <translation>Die Einstellungsdatei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The settings file %1 is not a settings file</source>
        <translation>Die Einstellungsdatei %1 ist keine Einstellungsdatei</translation>
    </message>
    <message>
        <source>The settings file %1 is larger than %2 KiB, more than settings ever take; it is neither read nor changed. Move it away to start afresh</source>
        <translation>Die Einstellungsdatei %1 ist größer als %2 KiB, mehr als Einstellungen je belegen; sie wird weder gelesen noch geändert. Verschieben Sie sie, um neu zu beginnen</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Ungültiger Datentyp für „%1“</translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;: %2 (process %3) holds the settings file %4</source>
        <translation>Daten für „%1“ konnten nicht gesetzt werden: %2 (Prozess %3) hält die Einstellungsdatei %4</translation>
    </message>
    <message>
        <source>The value for &apos;%1&apos; is longer than %2 KiB and is not stored</source>
        <translation>Der Wert für „%1“ ist länger als %2 KiB und wird nicht gespeichert</translation>
    </message>
    <message>
        <source>Failed to set data for &apos;%1&apos;</source>
        <translation>Daten für „%1“ konnten nicht gesetzt werden</translation>
    </message>
    <message>
        <source>Failed to create key %1</source>
        <translation>Schlüssel %1 konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>The settings file would grow past %1 KiB; &apos;%2&apos; is not stored</source>
        <translation>Die Einstellungsdatei würde größer als %1 KiB; „%2“ wird nicht gespeichert</translation>
    </message>
</context>
<context>
    <name>accrua::settings::TForm_LoanInfo</name>
    <message>
        <source>Enter Amortization Information</source>
        <translation>Darlehensangaben</translation>
    </message>
    <message>
        <source>Origination Date:</source>
        <translation>Auszahlungsdatum:</translation>
    </message>
    <message>
        <source>Purpose of the loan:</source>
        <translation>Verwendungszweck:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid value!</source>
        <translation>„%1“ ist kein gültiger Wert!</translation>
    </message>
</context>
<context>
    <name>accrua::settings::TForm_SetOptions</name>
    <message>
        <source>The number of days in a year that will be used in the amortization calculations.</source>
        <translation>Die Anzahl der Tage eines Jahres, mit der der Tilgungsplan berechnet wird.</translation>
    </message>
    <message>
        <source>Determines whether the number of payments or the payment amount will be increased in order to resolve any residual balances.</source>
        <translation>Legt fest, ob die Anzahl der Raten oder die Ratenhöhe erhöht wird, um eine verbleibende Restschuld auszugleichen.</translation>
    </message>
    <message>
        <source>When checked, the reports will print in the original &quot;classic&quot; format.</source>
        <translation>Wenn aktiviert, werden die Berichte im ursprünglichen „klassischen“ Format gedruckt.</translation>
    </message>
    <message>
        <source>The file path to an image file that will appear at the top of the printout.</source>
        <translation>Der Pfad zu einer Bilddatei, die oben auf dem Ausdruck erscheint.</translation>
    </message>
    <message>
        <source>The title of the amortization schedule report.</source>
        <translation>Der Titel des Tilgungsplans.</translation>
    </message>
    <message>
        <source>The subtitle of the amortization schedule report.</source>
        <translation>Der Untertitel des Tilgungsplans.</translation>
    </message>
    <message>
        <source>When checked, the annual and overall totals will be printed after each year on the amortization schedule</source>
        <translation>Wenn aktiviert, werden im Tilgungsplan nach jedem Jahr die Jahres- und Gesamtsummen gedruckt</translation>
    </message>
    <message>
        <source>The title of the compounded interest report.</source>
        <translation>Der Titel des Zinseszinsberichts.</translation>
    </message>
    <message>
        <source>The subtitle of the compounded interest report.</source>
        <translation>Der Untertitel des Zinseszinsberichts.</translation>
    </message>
    <message>
        <source>When checked, the annual and overall totals will be printed after each year on the compounded interest report.</source>
        <translation>Wenn aktiviert, werden im Zinseszinsbericht nach jedem Jahr die Jahres- und Gesamtsummen gedruckt.</translation>
    </message>
    <message>
        <source>The title of the daily interest report. </source>
        <translation>Der Titel des Tageszinsberichts. </translation>
    </message>
    <message>
        <source>The subtitle of the daily interest report.</source>
        <translation>Der Untertitel des Tageszinsberichts.</translation>
    </message>
    <message>
        <source>Closes and saves the options settings.</source>
        <translation>Schließt das Fenster und speichert die Optionen.</translation>
    </message>
    <message>
        <source>Closes and cancels the options settings.</source>
        <translation>Schließt das Fenster und verwirft die Änderungen.</translation>
    </message>
    <message>
        <source>Set Options</source>
        <translation>Optionen festlegen</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>Standardwerte</translation>
    </message>
    <message>
        <source>Amortized Base:</source>
        <translation>Tagesbasis:</translation>
    </message>
    <message>
        <source>To Resolve Residual Balances:</source>
        <translation>Ausgleich einer Restschuld:</translation>
    </message>
    <message>
        <source>Use Classic Reports</source>
        <translation>Klassische Berichte</translation>
    </message>
    <message>
        <source>Print Image</source>
        <translation>Bild drucken</translation>
    </message>
    <message>
        <source>Amortization Schedule:</source>
        <translation>Tilgungsplan:</translation>
    </message>
    <message>
        <source>Image Path:</source>
        <translation>Bildpfad:</translation>
    </message>
    <message>
        <source>Browse for Image...</source>
        <translation>Bild auswählen...</translation>
    </message>
    <message>
        <source>Image (50/190 max)</source>
        <translation>Bild (max. 50/190)</translation>
    </message>
    <message>
        <source>Amortization Report</source>
        <translation>Tilgungsplan</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <source>Loan Type:</source>
        <translation>Kreditart:</translation>
    </message>
    <message>
        <source>Print Annual and Overall Totals</source>
        <translation>Jahres-/Gesamtsummen drucken</translation>
    </message>
    <message>
        <source>Savings Report</source>
        <translation>Sparbericht</translation>
    </message>
    <message>
        <source>Subtitle:</source>
        <translation>Untertitel:</translation>
    </message>
    <message>
        <source>Daily Interest Report</source>
        <translation>Tageszinsbericht</translation>
    </message>
</context>
</TS>
