<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>accrua::planner::Chart</name>
    <message>
        <source>Remaining balance</source>
        <translation>Restschuld</translation>
    </message>
    <message>
        <source>Interest and principal by year</source>
        <translation>Zinsen und Tilgung je Jahr</translation>
    </message>
    <message>
        <source>Interest and principal by year: %1</source>
        <translation>Zinsen und Tilgung je Jahr: %1</translation>
    </message>
    <message>
        <source>Principal</source>
        <translation>Tilgung</translation>
    </message>
    <message>
        <source>Interest</source>
        <translation>Zinsen</translation>
    </message>
    <message>
        <source>%1: interest %2, principal %3</source>
        <translation>%1: Zinsen %2, Tilgung %3</translation>
    </message>
</context>
<context>
    <name>accrua::planner::Comparison</name>
    <message>
        <source>not found</source>
        <translation>nicht ermittelt</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>Number of payments</source>
        <translation>Anzahl der Raten</translation>
    </message>
    <message>
        <source>Payoff date</source>
        <translation>Tilgungsende</translation>
    </message>
    <message>
        <source>Total interest</source>
        <translation>Zinsen gesamt</translation>
    </message>
    <message>
        <source>Total paid</source>
        <translation>Gezahlt gesamt</translation>
    </message>
    <message>
        <source>APR</source>
        <translation>Effektivzins (US-APR)</translation>
    </message>
    <message>
        <source>APRC</source>
        <translation>Effektiver Jahreszins (EU)</translation>
    </message>
    <message>
        <source>Interest saved vs A</source>
        <translation>Zinsersparnis ggü. A</translation>
    </message>
    <message>
        <source>Payments saved vs A</source>
        <translation>Weniger Raten als A</translation>
    </message>
    <message>
        <source>Crossover payment</source>
        <translation>Wendepunkt bei Rate</translation>
    </message>
    <message>
        <source>not computed</source>
        <translation>nicht berechnet</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message numerus="yes">
        <source>%n years</source>
        <translation>
            <numerusform>%n Jahr</numerusform>
            <numerusform>%n Jahre</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>years and months</comment>
        <extracomment>A term of years and months: &quot;30 years 6 months&quot;.</extracomment>
        <translation>%1 %2</translation>
    </message>
    <message numerus="yes">
        <source>%n months</source>
        <translation>
            <numerusform>%n Monat</numerusform>
            <numerusform>%n Monate</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n payments</source>
        <translation>
            <numerusform>%n Rate</numerusform>
            <numerusform>%n Raten</numerusform>
        </translation>
    </message>
    <message>
        <source>pay %1</source>
        <translation>Rate %1</translation>
    </message>
    <message>
        <source>Principal</source>
        <translation>Darlehensbetrag</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Zinssatz</translation>
    </message>
    <message>
        <source>Term</source>
        <translation>Laufzeit</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Zahlungsweise</translation>
    </message>
    <message>
        <source>Compounding</source>
        <translation>Zinsverrechnung</translation>
    </message>
    <message>
        <source>Repayment</source>
        <translation>Tilgungsart</translation>
    </message>
    <message>
        <source>Interest only</source>
        <translation>Tilgungsfreie Raten</translation>
    </message>
    <message>
        <source>Balloon</source>
        <translation>Schlussrate</translation>
    </message>
    <message>
        <source>Extra payments</source>
        <translation>Sondertilgungen</translation>
    </message>
    <message>
        <source>Lump sums</source>
        <translation>Einmalzahlungen</translation>
    </message>
    <message>
        <source>Rate changes</source>
        <translation>Zinsänderungen</translation>
    </message>
    <message>
        <source>Fee</source>
        <translation>Kosten</translation>
    </message>
    <message>
        <source>Advance</source>
        <translation>Auszahlung</translation>
    </message>
    <message>
        <source>First payment</source>
        <translation>Erste Rate</translation>
    </message>
    <message>
        <source>With extras</source>
        <translation>Mit Sondertilgungen</translation>
    </message>
    <message>
        <source>over %1 payments</source>
        <translation>über %1 Raten</translation>
    </message>
    <message>
        <source>Level payment</source>
        <translation>Annuität</translation>
    </message>
    <message>
        <source>Equal principal</source>
        <translation>Ratentilgung</translation>
    </message>
    <message>
        <source>%1 from %2 every %3</source>
        <translation>%1 ab Rate %2 alle %3 Raten</translation>
    </message>
    <message>
        <source>%1 with %2</source>
        <translation>%1 mit Rate %2</translation>
    </message>
    <message>
        <source>%1 % from %2</source>
        <translation>%1 % ab Rate %2</translation>
    </message>
    <message>
        <source>one period on</source>
        <translation>eine Periode später</translation>
    </message>
    <message>
        <source>Shorter term</source>
        <translation>Kürzere Laufzeit</translation>
    </message>
    <message>
        <source>Lower payment</source>
        <translation>Niedrigere Rate</translation>
    </message>
</context>
<context>
    <name>accrua::planner::FieldText</name>
    <message>
        <source>&quot;%1&quot; is not a valid amount</source>
        <translation>„%1“ ist kein gültiger Betrag</translation>
    </message>
    <message>
        <source>the amount must not be negative</source>
        <translation>der Betrag darf nicht negativ sein</translation>
    </message>
    <message>
        <source>the amount must be at most 1,000,000,000,000</source>
        <translation>der Betrag darf höchstens 1.000.000.000.000 sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid rate</source>
        <translation>„%1“ ist kein gültiger Zinssatz</translation>
    </message>
    <message>
        <source>the rate must be from 0 to 1000 percent</source>
        <translation>der Zinssatz muss zwischen 0 und 1000 Prozent liegen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number</source>
        <translation>„%1“ ist keine ganze Zahl</translation>
    </message>
    <message>
        <source>the number must be from %1 to %2</source>
        <translation>die Zahl muss zwischen %1 und %2 liegen</translation>
    </message>
</context>
<context>
    <name>accrua::planner::Plan</name>
    <message>
        <source>Scenario %1</source>
        <translation>Szenario %1</translation>
    </message>
    <message>
        <source>A plan holds at most %1 scenarios.</source>
        <translation>Ein Plan enthält höchstens %1 Szenarien.</translation>
    </message>
    <message>
        <source>A scenario needs a name.</source>
        <translation>Ein Szenario braucht einen Namen.</translation>
    </message>
    <message>
        <source>A scenario&apos;s name has at most %1 characters.</source>
        <translation>Der Name eines Szenarios hat höchstens %1 Zeichen.</translation>
    </message>
    <message>
        <source>A scenario&apos;s name is one line of text.</source>
        <translation>Der Name eines Szenarios ist eine einzige Textzeile.</translation>
    </message>
    <message>
        <source>Another scenario is named &quot;%1&quot;.</source>
        <translation>Ein anderes Szenario heißt bereits „%1“.</translation>
    </message>
    <message>
        <source>A plan keeps at least one scenario.</source>
        <translation>Ein Plan behält mindestens ein Szenario.</translation>
    </message>
</context>
<context>
    <name>accrua::planner::PlanFile</name>
    <message>
        <source>%1: &quot;%2&quot; %3</source>
        <translation>%1: „%2“ %3</translation>
    </message>
    <message>
        <source>is missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>is not a text</source>
        <translation>ist kein Text</translation>
    </message>
    <message>
        <source>is not a whole number from %1 to %2</source>
        <translation>ist keine ganze Zahl von %1 bis %2</translation>
    </message>
    <message>
        <source>is not a date</source>
        <translation>ist kein Datum</translation>
    </message>
    <message>
        <source>is not a list</source>
        <translation>ist keine Liste</translation>
    </message>
    <message>
        <source>has more than %1 rows</source>
        <translation>hat mehr als %1 Zeilen</translation>
    </message>
    <message>
        <source>has an unknown value</source>
        <translation>hat einen unbekannten Wert</translation>
    </message>
    <message>
        <source>row %1 is not an object</source>
        <translation>Zeile %1 ist kein Objekt</translation>
    </message>
    <message>
        <source>%1, &quot;%2&quot; row %3</source>
        <translation>%1, „%2“ Zeile %3</translation>
    </message>
    <message>
        <source>is not a scenario name</source>
        <translation>ist kein Szenarioname</translation>
    </message>
    <message>
        <source>The file is too large for a plan.</source>
        <translation>Die Datei ist zu groß für einen Plan.</translation>
    </message>
    <message>
        <source>The file is not a loan plan, or it is damaged (%1 at byte %2).</source>
        <translation>Die Datei ist kein Darlehensplan, oder sie ist beschädigt (%1 bei Byte %2).</translation>
    </message>
    <message>
        <source>no JSON object</source>
        <translation>kein JSON-Objekt</translation>
    </message>
    <message>
        <source>The file is not a loan plan.</source>
        <translation>Die Datei ist kein Darlehensplan.</translation>
    </message>
    <message>
        <source>The plan file is damaged: its format version is missing or wrong.</source>
        <translation>Die Plandatei ist beschädigt: Ihre Formatversion fehlt oder ist falsch.</translation>
    </message>
    <message>
        <source>The plan was saved by a newer version of Accrua (plan format %1); this version reads plan format %2 only.</source>
        <translation>Der Plan wurde mit einer neueren Version von Accrua gespeichert (Planformat %1); diese Version liest nur Planformat %2.</translation>
    </message>
    <message>
        <source>The plan file is damaged</source>
        <translation>Die Plandatei ist beschädigt</translation>
    </message>
    <message>
        <source>must hold 1 to %1 scenarios</source>
        <translation>muss 1 bis %1 Szenarien enthalten</translation>
    </message>
    <message>
        <source>entry %1 is not an object</source>
        <translation>Eintrag %1 ist kein Objekt</translation>
    </message>
    <message>
        <source>The plan file is damaged: scenario %1</source>
        <translation>Die Plandatei ist beschädigt: Szenario %1</translation>
    </message>
    <message>
        <source>repeats the name of another scenario</source>
        <translation>wiederholt den Namen eines anderen Szenarios</translation>
    </message>
    <message>
        <source>Loan Plan (*.accrua-plan)</source>
        <translation>Darlehensplan (*.accrua-plan)</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>is not an amount</source>
        <translation>ist kein Betrag</translation>
    </message>
    <message>
        <source>is not a rate from 0 to 1000</source>
        <translation>ist kein Zinssatz von 0 bis 1000</translation>
    </message>
</context>
<context>
    <name>accrua::planner::PlanReport</name>
    <message>
        <source>Loan Plan</source>
        <translation>Darlehensplan</translation>
    </message>
    <message>
        <source>Printed %1</source>
        <translation>Gedruckt am %1</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Eingaben</translation>
    </message>
    <message>
        <source>Comparison</source>
        <translation>Vergleich</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>Schedule of scenario %1</source>
        <translation>Tilgungsplan von Szenario %1</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Scenario %1 has no schedule: its inputs do not make a plan.</source>
        <translation>Szenario %1 hat keinen Tilgungsplan: Aus seinen Eingaben ergibt sich kein Plan.</translation>
    </message>
    <message>
        <source>rate change</source>
        <translation>Zinsänderung</translation>
    </message>
    <message>
        <source>crossover</source>
        <translation>Wendepunkt</translation>
    </message>
</context>
<context>
    <name>accrua::planner::PlannerInputs</name>
    <message>
        <source>Scenario na&amp;me</source>
        <translation>S&amp;zenarioname</translation>
    </message>
    <message>
        <source>&amp;Principal</source>
        <translation>Darlehensbet&amp;rag</translation>
    </message>
    <message>
        <source>&amp;Rate, % a year</source>
        <translation>Zinssatz, % &amp;pro Jahr</translation>
    </message>
    <message>
        <source>Years and months</source>
        <translation>Jahre und Monate</translation>
    </message>
    <message>
        <source>Number of payments</source>
        <translation>Anzahl der Raten</translation>
    </message>
    <message>
        <source>Fixed payment</source>
        <translation>Feste Rate</translation>
    </message>
    <message>
        <source>&amp;Term</source>
        <translation>&amp;Laufzeit</translation>
    </message>
    <message>
        <source>&amp;Years</source>
        <translation>&amp;Jahre</translation>
    </message>
    <message>
        <source>Mo&amp;nths</source>
        <translation>&amp;Monate</translation>
    </message>
    <message>
        <source>Num&amp;ber of payments</source>
        <translation>&amp;Anzahl der Raten</translation>
    </message>
    <message>
        <source>Fixe&amp;d payment</source>
        <translation>&amp;Feste Rate</translation>
    </message>
    <message>
        <source>Fre&amp;quency</source>
        <translation>Zahlungs&amp;weise</translation>
    </message>
    <message>
        <source>&amp;Compounding</source>
        <translation>Zins&amp;verrechnung</translation>
    </message>
    <message>
        <source>Level payment</source>
        <translation>Annuität</translation>
    </message>
    <message>
        <source>Equal principal</source>
        <translation>Ratentilgung</translation>
    </message>
    <message>
        <source>Repayment &amp;kind</source>
        <translation>Tilgun&amp;gsart</translation>
    </message>
    <message>
        <source>&amp;Interest-only payments</source>
        <translation>&amp;Tilgungsfreie Raten</translation>
    </message>
    <message>
        <source>Ba&amp;lloon</source>
        <translation>S&amp;chlussrate</translation>
    </message>
    <message>
        <source>Payments the loan is amortized over; 0: the term</source>
        <translation>Anzahl der Raten, über die das Darlehen getilgt wird; 0: die Laufzeit</translation>
    </message>
    <message>
        <source>&amp;Amortize over payments</source>
        <translation>Tilgung &amp;über Raten</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Ab Rate</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Betrag</translation>
    </message>
    <message>
        <source>Every</source>
        <translation>Intervall</translation>
    </message>
    <message>
        <source>E&amp;xtra payments</source>
        <translation>So&amp;ndertilgungen</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>Mit Rate</translation>
    </message>
    <message>
        <source>Lump s&amp;ums</source>
        <translation>E&amp;inmalzahlungen</translation>
    </message>
    <message>
        <source>Rate, %</source>
        <translation>Zinssatz, %</translation>
    </message>
    <message>
        <source>Rate chan&amp;ges</source>
        <translation>Zins&amp;änderungen</translation>
    </message>
    <message>
        <source>Fee paid &amp;with the advance</source>
        <translation>&amp;Kosten bei Auszahlung</translation>
    </message>
    <message>
        <source>Ad&amp;vance date</source>
        <translation>A&amp;uszahlungsdatum</translation>
    </message>
    <message>
        <source>First payment &amp;on</source>
        <translation>&amp;Erste Rate am</translation>
    </message>
    <message>
        <source>the term (pay off sooner)</source>
        <translation>die Laufzeit (früher schuldenfrei)</translation>
    </message>
    <message>
        <source>the payment (same end date)</source>
        <translation>die Rate (gleiches Enddatum)</translation>
    </message>
    <message>
        <source>Extra payments ad&amp;just</source>
        <translation>S&amp;ondertilgungen verringern</translation>
    </message>
    <message>
        <source>Add row</source>
        <translation>Zeile hinzufügen</translation>
    </message>
    <message>
        <source>Remove row</source>
        <translation>Zeile entfernen</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>A field and why its text is refused: &quot;Principal: the amount must not be negative&quot;.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Principal</source>
        <translation>Darlehensbetrag</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Zinssatz</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>Interest-only payments</source>
        <translation>Tilgungsfreie Raten</translation>
    </message>
    <message>
        <source>Balloon</source>
        <translation>Schlussrate</translation>
    </message>
    <message>
        <source>Amortize over</source>
        <translation>Tilgung über</translation>
    </message>
    <message>
        <source>%1, row %2: %3</source>
        <translation>%1, Zeile %2: %3</translation>
    </message>
    <message>
        <source>Extra payments</source>
        <translation>Sondertilgungen</translation>
    </message>
    <message>
        <source>Lump sums</source>
        <translation>Einmalzahlungen</translation>
    </message>
    <message>
        <source>Rate changes</source>
        <translation>Zinsänderungen</translation>
    </message>
    <message>
        <source>Fee</source>
        <translation>Kosten</translation>
    </message>
</context>
<context>
    <name>accrua::planner::Scenario</name>
    <message>
        <source>extra payment row %1: the amount must be more than 0, from payment 1 or later, every 1 or more payments</source>
        <translation>Sondertilgung in Zeile %1: Der Betrag muss größer als 0 sein, ab Rate 1 oder später, alle 1 oder mehr Raten</translation>
    </message>
    <message>
        <source>the principal must be more than 0</source>
        <translation>der Darlehensbetrag muss größer als 0 sein</translation>
    </message>
    <message>
        <source>the rate must be from 0 to 1000 percent</source>
        <translation>der Zinssatz muss zwischen 0 und 1000 Prozent liegen</translation>
    </message>
    <message>
        <source>a changed rate must be from 0 to 1000 percent</source>
        <translation>ein geänderter Zinssatz muss zwischen 0 und 1000 Prozent liegen</translation>
    </message>
    <message>
        <source>a rate change starts with payment 1 or later</source>
        <translation>eine Zinsänderung beginnt frühestens mit Rate 1</translation>
    </message>
    <message>
        <source>the payment must be more than 0</source>
        <translation>die Rate muss größer als 0 sein</translation>
    </message>
    <message>
        <source>a fixed payment is an annuity; equal principal payments vary</source>
        <translation>eine feste Rate ist eine Annuität; bei Ratentilgung ändern sich die Raten</translation>
    </message>
    <message>
        <source>a balloon needs a term, not a fixed payment</source>
        <translation>eine Schlussrate braucht eine Laufzeit, keine feste Rate</translation>
    </message>
    <message>
        <source>lowering the payment needs a term, not a fixed payment</source>
        <translation>eine niedrigere Rate braucht eine Laufzeit, keine feste Rate</translation>
    </message>
    <message>
        <source>the term must have at least one payment</source>
        <translation>die Laufzeit muss mindestens eine Rate umfassen</translation>
    </message>
    <message>
        <source>the interest-only payments must be from 0 to the number of payments</source>
        <translation>die tilgungsfreien Raten müssen zwischen 0 und der Anzahl der Raten liegen</translation>
    </message>
    <message>
        <source>interest-only payments at a rate of 0 would pay nothing</source>
        <translation>tilgungsfreie Raten bei einem Zinssatz von 0 würden nichts zahlen</translation>
    </message>
    <message>
        <source>the amortization period must not be shorter than the term</source>
        <translation>die Tilgungsdauer darf nicht kürzer als die Laufzeit sein</translation>
    </message>
    <message>
        <source>the balloon must be from 0 to less than the principal</source>
        <translation>die Schlussrate muss mindestens 0 und kleiner als der Darlehensbetrag sein</translation>
    </message>
    <message>
        <source>give either an amortization period or a balloon amount</source>
        <translation>geben Sie entweder eine Tilgungsdauer oder eine Schlussrate an</translation>
    </message>
    <message>
        <source>the extra payment must be more than 0</source>
        <translation>die Sondertilgung muss größer als 0 sein</translation>
    </message>
    <message>
        <source>extra payments start with payment 1 or later and recur every 1 or more payments</source>
        <translation>Sondertilgungen beginnen frühestens mit Rate 1 und wiederholen sich alle 1 oder mehr Raten</translation>
    </message>
    <message>
        <source>a lump sum must be more than 0</source>
        <translation>eine Einmalzahlung muss größer als 0 sein</translation>
    </message>
    <message>
        <source>a lump sum comes with payment 0 (the advance) or later</source>
        <translation>eine Einmalzahlung kommt frühestens mit Rate 0 (der Auszahlung)</translation>
    </message>
    <message>
        <source>the fee must be from 0 to less than the principal</source>
        <translation>die Kosten müssen mindestens 0 und kleiner als der Darlehensbetrag sein</translation>
    </message>
    <message>
        <source>the dates must be valid dates</source>
        <translation>die Daten müssen gültige Kalenderdaten sein</translation>
    </message>
    <message>
        <source>the first payment must come after the advance</source>
        <translation>die erste Rate muss nach der Auszahlung liegen</translation>
    </message>
    <message>
        <source>the lump sum at the advance repays the whole principal</source>
        <translation>die Einmalzahlung bei Auszahlung tilgt den ganzen Darlehensbetrag</translation>
    </message>
    <message>
        <source>the payment from payment %1 rounds to less than a cent</source>
        <translation>die Rate ab Rate %1 rundet auf weniger als einen Cent</translation>
    </message>
    <message>
        <source>the payment does not exceed the interest of payment %1</source>
        <translation>die Rate übersteigt die Zinsen der Rate %1 nicht</translation>
    </message>
    <message>
        <source>more than %1 payments would be needed</source>
        <translation>es wären mehr als %1 Raten nötig</translation>
    </message>
    <message>
        <source>the rate change with payment %1 comes after the last payment (%2)</source>
        <translation>die Zinsänderung mit Rate %1 liegt nach der letzten Rate (%2)</translation>
    </message>
    <message>
        <source>the lump sum with payment %1 comes after the last payment (%2)</source>
        <translation>die Einmalzahlung mit Rate %1 liegt nach der letzten Rate (%2)</translation>
    </message>
    <message>
        <source>the extra payment from payment %1 comes after the last payment (%2)</source>
        <translation>die Sondertilgung ab Rate %1 liegt nach der letzten Rate (%2)</translation>
    </message>
    <message>
        <source>the payment does not cover the interest</source>
        <translation>die Rate deckt die Zinsen nicht</translation>
    </message>
    <message>
        <source>these inputs do not make a plan</source>
        <translation>aus diesen Eingaben ergibt sich kein Plan</translation>
    </message>
    <message>
        <source>an amount is too large to be computed</source>
        <translation>ein Betrag ist zu groß für die Berechnung</translation>
    </message>
    <message>
        <source>The lump sum with payment %1 is not paid: the loan is paid off with payment %2.</source>
        <translation>Die Einmalzahlung mit Rate %1 wird nicht gezahlt: Das Darlehen ist mit Rate %2 getilgt.</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Every 2 weeks</source>
        <translation>Alle 2 Wochen</translation>
    </message>
    <message>
        <source>Every 4 weeks</source>
        <translation>Alle 4 Wochen</translation>
    </message>
    <message>
        <source>Twice a month</source>
        <translation>Halbmonatlich</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Every 2 months</source>
        <translation>Alle 2 Monate</translation>
    </message>
    <message>
        <source>Quarterly</source>
        <translation>Vierteljährlich</translation>
    </message>
    <message>
        <source>Twice a year</source>
        <translation>Halbjährlich</translation>
    </message>
    <message>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <source>Same as payments</source>
        <translation>Wie die Raten</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>%1 times a year</source>
        <translation>%1-mal im Jahr</translation>
    </message>
</context>
<context>
    <name>accrua::planner::Schedule</name>
    <message>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Zinssatz</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>Interest</source>
        <translation>Zinsen</translation>
    </message>
    <message>
        <source>Principal</source>
        <translation>Tilgung</translation>
    </message>
    <message>
        <source>Extra</source>
        <translation>Sondertilgung</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>Restschuld</translation>
    </message>
    <message>
        <source>%1 total</source>
        <translation>Summe %1</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Summe</translation>
    </message>
</context>
<context>
    <name>accrua::planner::ScheduleModel</name>
    <message>
        <source>Crossover: from this payment on, more principal is repaid than interest paid.</source>
        <translation>Wendepunkt: Ab dieser Rate wird mehr getilgt, als an Zinsen gezahlt wird.</translation>
    </message>
    <message>
        <source>The rate changes with this payment.</source>
        <translation>Mit dieser Rate ändert sich der Zinssatz.</translation>
    </message>
</context>
<context>
    <name>accrua::planner::TForm_Planner</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open Plan...</source>
        <translation>Plan ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save Plan</source>
        <translation>Plan &amp;speichern</translation>
    </message>
    <message>
        <source>Save Plan &amp;As...</source>
        <translation>Plan speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Export Sc&amp;hedule as CSV...</source>
        <translation>&amp;Tilgungsplan als CSV exportieren...</translation>
    </message>
    <message>
        <source>Export &amp;Comparison as CSV...</source>
        <translation>&amp;Vergleich als CSV exportieren...</translation>
    </message>
    <message>
        <source>Export P&amp;DF...</source>
        <translation>&amp;PDF exportieren...</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>Druckvorsc&amp;hau...</translation>
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
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Copy &amp;Schedule</source>
        <translation>&amp;Tilgungsplan kopieren</translation>
    </message>
    <message>
        <source>Copy &amp;Comparison</source>
        <translation>&amp;Vergleich kopieren</translation>
    </message>
    <message>
        <source>&amp;Scenario</source>
        <translation>&amp;Szenario</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Duplicate</source>
        <translation>&amp;Duplizieren</translation>
    </message>
    <message>
        <source>Re&amp;name</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>&amp;Remove...</source>
        <translation>&amp;Entfernen...</translation>
    </message>
    <message>
        <source>Re&amp;calculate</source>
        <translation>&amp;Neu berechnen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Loan &amp;Planner Help</source>
        <translation>Hilfe zum Darlehens&amp;planer</translation>
    </message>
    <message>
        <source>Scenarios: double-click a tab to rename it</source>
        <translation>Szenarien: Ein Doppelklick auf einen Reiter benennt ihn um</translation>
    </message>
    <message>
        <source>Add a scenario (Ctrl+T)</source>
        <translation>Szenario hinzufügen (Strg+T)</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Diagramm</translation>
    </message>
    <message>
        <source>Schedule</source>
        <translation>Tilgungsplan</translation>
    </message>
    <message>
        <source>Scenario %1 is not computed: %2</source>
        <translation>Szenario %1 wird nicht berechnet: %2</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>%1[*] - Loan Planner</source>
        <translation>%1[*] - Darlehensplaner</translation>
    </message>
    <message>
        <source>A plan keeps at least one scenario.</source>
        <translation>Ein Plan behält mindestens ein Szenario.</translation>
    </message>
    <message>
        <source>Remove scenario %1 and its inputs?</source>
        <translation>Szenario %1 und seine Eingaben entfernen?</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The plan has changes that are not saved. Save them?</source>
        <translation>Der Plan hat Änderungen, die nicht gespeichert sind. Jetzt speichern?</translation>
    </message>
    <message>
        <source>Open Plan</source>
        <translation>Plan öffnen</translation>
    </message>
    <message>
        <source>%1 was not opened.
%2</source>
        <translation>%1 wurde nicht geöffnet.
%2</translation>
    </message>
    <message>
        <source>The plan was not saved to %1: %2</source>
        <translation>Der Plan wurde nicht in %1 gespeichert: %2</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 gespeichert</translation>
    </message>
    <message>
        <source>Save Plan</source>
        <translation>Plan speichern</translation>
    </message>
    <message>
        <source>Export Schedule</source>
        <translation>Tilgungsplan exportieren</translation>
    </message>
    <message>
        <source>CSV File (*.csv)</source>
        <translation>CSV-Datei (*.csv)</translation>
    </message>
    <message>
        <source>Export Comparison</source>
        <translation>Vergleich exportieren</translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation>PDF exportieren</translation>
    </message>
    <message>
        <source>PDF File (*.pdf)</source>
        <translation>PDF-Datei (*.pdf)</translation>
    </message>
    <message>
        <source>Wrote %1</source>
        <translation>%1 geschrieben</translation>
    </message>
</context>
</TS>
