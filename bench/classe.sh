#!/usr/bin/env bash
# The class server under load, on a throw-away PostgreSQL (pg_virtualenv):
#   sending   PUPILS simulated pupils' computers (default 30, 300, 3000), in
#             classes of 30, send 20 sessions each with the program's own
#             client, 60 connections at a time; the server is stopped and
#             started once half the sessions are in. bench_classe prints
#             whether each session is stored exactly once, sessions per
#             second and the median and 95th percentile of one session's send.
#   grid      the teacher's grid for a class of 30 when the server holds a
#             million sessions, as EXPLAIN ANALYZE times it (best of 3),
#             row-level security included (it runs as the class's teacher),
#             once the table is vacuumed, as autovacuum does as it grows.
#   bench/classe.sh [PUPILS...]
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" != --inside ]; then
  cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTAPIVOX_TESTS=OFF -DTAPIVOX_BENCH=ON >/dev/null
  cmake --build build-bench -j2 --target bench_classe >/dev/null
  # initdb takes its locale from the environment; every machine has C.UTF-8.
  export LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE=
  exec pg_virtualenv -t "$PWD/bench/classe.sh" --inside "${@:-30 300 3000}"
fi
shift
psql -X -q -v ON_ERROR_STOP=1 -f resources/classe/schema.sql
run=0
for n in $*; do
  run=$((run + 1))
  build-bench/bench_classe "$n" 20 30 60 "$run"
done

echo "grid: filling a million sessions..."
psql -X -q -v ON_ERROR_STOP=1 <<'SQL'
CREATE ROLE grille LOGIN PASSWORD 'g' IN ROLE tapivox_enseignants;
INSERT INTO classe.classes (name) SELECT 'Grille ' || g FROM generate_series(1, 112) g;
INSERT INTO classe.class_teachers SELECT id, 'grille' FROM classe.classes WHERE name LIKE 'Grille %';
INSERT INTO classe.pupils (class_id, name, code_hash)
  SELECT c.id, 'Élève ' || g, '-' FROM classe.classes c, generate_series(1, 30) g WHERE c.name LIKE 'Grille %';
-- 300 sessions a pupil, interleaved as a class sends them.
INSERT INTO classe.sessions
  SELECT gen_random_uuid(), p.id, (1 + g % 4)::text, (1 + g % 18)::text, 100 + g % 50, g % 7, 120, 115000,
         timestamptz '2026-09-01' + g * interval '7 hours',
         timestamptz '2026-09-01' + g * interval '7 hours' + interval '2 minutes', g % 3 > 0
  FROM generate_series(1, 300) g, classe.pupils p JOIN classe.classes c ON c.id = p.class_id
  WHERE c.name LIKE 'Grille %';
VACUUM ANALYZE;
SQL
psql -X -At -c "SELECT 'grid: ' || count(*) || ' sessions on the server, '
                || pg_size_pretty(pg_total_relation_size('classe.sessions')) || ' with their indexes'
                FROM classe.sessions"
class=$(psql -X -At -c "SELECT min(id) FROM classe.classes WHERE name LIKE 'Grille %'")
best=
for _ in 1 2 3; do
  t=$(psql -X -At "host=localhost user=grille password=g dbname=$PGDATABASE" -v class="$class" <<'SQL' |
EXPLAIN (ANALYZE, BUFFERS)
SELECT p.id, p.name, s.module, s.lesson,
       max(round(100.0 * s.good / nullif(s.good + s.errors, 0), 1)) AS best_precision,
       max(round(s.good * 60.0 / nullif(s.seconds, 0))) AS best_speed,
       max(s.ended) AS last_session,
       sum(s.seconds) FILTER (WHERE s.ended >= timestamptz '2026-12-07') AS seconds_this_week
FROM classe.pupils p JOIN classe.sessions s ON s.pupil_id = p.id
WHERE p.class_id = :class
GROUP BY p.id, p.name, s.module, s.lesson;
SQL
    sed -n 's/^Execution Time: \([0-9.]*\) ms$/\1/p')
  best=$(printf '%s\n%s\n' "$t" "$best" | sed '/^$/d' | sort -n | head -1)
done
echo "grid: a class of 30 pupils, $(psql -X -At -c "SELECT count(*) FROM classe.sessions s
  JOIN classe.pupils p ON p.id = s.pupil_id WHERE p.class_id = $class") sessions: ${best} ms (best of 3)"
